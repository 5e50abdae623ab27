#pragma once
// The folder the file dialogs open in: the working folder at the start, then the folder of the last file
// chosen in any of them. One small object, so that it can be kept between runs of the program.

#include <string>

namespace umbrix {

class LastFolder {
public:
    explicit LastFolder(std::string start) : folder_(std::move(start)) {}

    /// Where the next dialog opens.
    [[nodiscard]] const std::string& folder() const { return folder_; }
    /// Makes `folder` the place of the next dialog; an empty text changes nothing.
    void setFolder(std::string folder);
    /// Remembers the folder of a file the user chose (absolute, or relative to the folder shown); a name
    /// without a folder changes nothing.
    void rememberFileOf(const std::string& chosenFile);

private:
    std::string folder_;
};

} // namespace umbrix
