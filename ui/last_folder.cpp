#include "ui/last_folder.h"

#include <filesystem>

namespace umbrix {

void LastFolder::setFolder(std::string folder)
{
    if (!folder.empty())
        folder_ = std::move(folder);
}

void LastFolder::rememberFileOf(const std::string& chosenFile)
{
    std::filesystem::path parent = std::filesystem::path(chosenFile).parent_path();
    if (parent.empty())
        return;
    if (parent.is_relative())
        parent = std::filesystem::path(folder_) / parent;
    // Kept as the dialog gave it: the folder need not exist any more when the next dialog opens.
    setFolder(parent.string());
}

} // namespace umbrix
