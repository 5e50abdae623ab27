#include "ui/qt_text.h"

#include <QFontDatabase>
#include <QStringList>

namespace umbrix {

QString QtFileFilter(std::string_view pairs)
{
    const QStringList parts = ToQt(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (!description.endsWith(QLatin1Char(')')))
            description += QStringLiteral(" (%1)").arg(pattern);
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

QFont FixedPitchFont(int pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}

} // namespace umbrix
