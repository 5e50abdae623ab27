#pragma once
// The edge between the program's UTF-8 texts and Qt: conversions, the file-dialog filters, the colours and
// fonts the window shares.

#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

namespace umbrix {

inline QString ToQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text)
{
    return text.toStdString();
}

/// Fixed header cells of the tables and disabled input fields.
inline const QColor kFixedCellYellow{255, 255, 160};
inline const QColor kDisabledYellow{255, 255, 0};

/// A file-dialog filter from the "description|pattern|description|pattern" form of the text tables:
/// "description (pattern);;..." (the pattern is appended only when the description does not already end
/// with a bracketed one).
[[nodiscard]] QString QtFileFilter(std::string_view pairs);

/// The monospace font of the tables and lists.
[[nodiscard]] QFont FixedPitchFont(int pointSize);

} // namespace umbrix
