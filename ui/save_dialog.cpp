#include "ui/save_dialog.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>

namespace umbrix {

namespace {

/// The extension of a filter "description (*.ext)", or an empty text when it names none or several.
QString SingleExtension(const QString& filter)
{
    const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

} // namespace

std::optional<SaveDialogAnswer> ShowSaveDialog(QWidget* parent, const SaveDialogRequest& request)
{
    const FileDialogRequest& r = request.dialog;
    QFileDialog dialog(parent, r.title, r.directory);
    const QStringList filters = r.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    if (!r.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(r.defaultSuffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        if (const QString extension = SingleExtension(filter); !extension.isEmpty())
            dialog.setDefaultSuffix(extension);
    });
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return SaveDialogAnswer{.path = FromQt(dialog.selectedFiles().front()),
                            .filterIndex = chosen >= 0 ? chosen + 1 : request.filterIndex};
}

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace umbrix
