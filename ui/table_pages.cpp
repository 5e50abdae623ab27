#include "ui/table_pages.h"

#include "ui/field_comforts.h"

#include "core/leap_cycle.h"
#include "text/texts.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/parameter_panels.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace umbrix {

namespace {

constexpr int kPageMarginPx = 5;        // tables and panels keep this distance from the page's edges
constexpr int kSeparatorColumnPx = 8;   // the narrow separator column of the date table
constexpr int kDateColumnsAnalemma = 7; // the date scale: column 3 a separator
constexpr int kGapPx = 10;
constexpr int kErrorGraphHeightLarge = 290;
constexpr int kErrorGraphHeightSmall = 240;

/// Names a page of the page control; `helpContext` is the help topic the page stands for.
void NamePage(QWidget& page, const char* name, int tag, int helpContext)
{
    page.setObjectName(QString::fromLatin1(name));
    page.setProperty("tag", tag);
    page.setProperty("helpContext", helpContext);
}

/// A column with the save button at the bottom beside a table.
QVBoxLayout* SideColumn(QBoxLayout* row)
{
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    return column;
}

} // namespace

HourTablePage::HourTablePage(int helpContext, const LanguageState& lang, QWidget* parent) : QWidget(parent)
{
    NamePage(*this, "TsDat", 14, helpContext);
    // The table 3 above the bottom of the page, its save button 8 right of it and 10 above the bottom.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(kPageMarginPx, kPageMarginPx, kPageMarginPx, 3);
    row->setSpacing(8);
    auto* left = new QVBoxLayout;
    row->addLayout(left, 1);
    left->addWidget(MakeLabel(this, "Label19", 32));
    left->addWidget(new GridView(QStringLiteral("StrGridStd"), 0, this), 1);
    auto* side = SideColumn(row);
    auto* koord = new RadioGroup(QStringLiteral("rgKoordAusg"), 75, 1, this);
    koord->setItems(
        {ToQt(LabelRow(lang, LabelId::HourPointsAsXY)), ToQt(LabelRow(lang, LabelId::HourPointsAsDistances))});
    side->addWidget(koord);
    side->addStretch(1);
    side->addWidget(MakeLengthsInLabel(this, "lLengthsStd"));
    side->addWidget(MakeButton(this, "BtnTsDat", 17));
    side->addSpacing(10 - 3);
}

ShadowTablePage::ShadowTablePage(int helpContext, QWidget* parent) : QWidget(parent)
{
    NamePage(*this, "tsShade", 16, helpContext);
    // The table 5 above the bottom of the page, its save button 8 right of it and 10 above the bottom.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kPageMarginPx, kPageMarginPx, kPageMarginPx, kPageMarginPx);
    auto* head = new QHBoxLayout;
    column->addLayout(head);
    head->addWidget(MakeLabel(this, "Label2", 0));
    head->addWidget(MakeLabel(this, "lDat2", 0));
    head->addSpacing(20);
    head->addWidget(MakeLabel(this, "Label1", 220));
    head->addStretch(1);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    column->addLayout(row, 1);
    row->addWidget(new GridView(QStringLiteral("StrGridShad"), 0, this), 1);
    auto* side = SideColumn(row);
    side->addStretch(1);
    side->addWidget(MakeLengthsInLabel(this, "lLengthsShad"));
    side->addWidget(MakeButton(this, "BtnTsShade", 17));
    side->addSpacing(10 - kPageMarginPx);
}

DateMarkPage::DateMarkPage(int helpContext, bool largeScreen, QWidget* parent) : QWidget(parent)
{
    NamePage(*this, "TSAnaDat", 15, helpContext);
    // Placed by layOut: the table at the left, the explanation or the error panel beside it.
    dates_ = new GridView(QStringLiteral("StrGridDat"), 0, this);
    dates_->setWidthFollowsColumns(true);
    dates_->setDefaultColumnWidth(0);
    dates_->setColumnWidthFixed(3, kSeparatorColumnPx);
    setOwnColumns(kDateColumnsAnalemma);
    split_ = MakePanel(this, "pSplit");
    memo_ = MakeMemo(split_, "mSplit", 50);
    memo_->setFont(FixedPitchFont(0));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);

    errorPanel_ = MakePanel(this, "pErrGraph");
    auto* grid = new QGridLayout(errorPanel_);
    grid->setContentsMargins(6, 6, 6, 6);
    auto* title = MakeLabel(errorPanel_, "Label14", 91);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 4);
    grid->addWidget(MakeLabel(errorPanel_, "Label13", 93), 1, 0, 1, 2);
    riseSet_ = MakeNumericField(errorPanel_, "eRiseSet", 0);
    grid->addWidget(riseSet_, 1, 2);
    grid->addWidget(MakeLabel(errorPanel_, "Label20", 24), 1, 3);
    grid->addWidget(MakeLabel(errorPanel_, "lRise", 94), 2, 0, 1, 2);
    grid->addWidget(MakeLabel(errorPanel_, "lKoordAufUnter", 0), 2, 2, 1, 2);
    errorGraph_ = new ImageView(QStringLiteral("ImError"), 0, errorPanel_);
    // A fixed size: the graph is drawn while its page may not be laid out yet.
    const int graphHeight = largeScreen ? kErrorGraphHeightLarge : kErrorGraphHeightSmall;
    errorGraph_->setFixedSize(graphHeight * 3 / 2, graphHeight);
    grid->addWidget(errorGraph_, 3, 0, 1, 4, Qt::AlignHCenter);
    grid->addWidget(MakeLabel(errorPanel_, "lmaxErr", 92), 4, 0);
    grid->addWidget(MakeLabel(errorPanel_, "lmaxErrAbs", 0), 4, 1);
    grid->addWidget(MakeLabel(errorPanel_, "lmaxTxt", 25), 4, 2, 1, 2);
    grid->addWidget(MakeCheckBox(errorPanel_, "ChBLambert", 95), 5, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    save_ = MakeButton(this, "BtnTsAna", 17);
    save_->adjustSize();
    lengthsIn_ = MakeLengthsInLabel(this, "lLengthsDat");
}

void DateMarkPage::layOut()
{
    const QSize page = size();
    dates_->setGeometry(kPageMarginPx, kPageMarginPx, dates_->width(), std::max(page.height() - 2 * kPageMarginPx, 50));
    const int gridRight = dates_->x() + dates_->width();

    // The explanation of the split dial: from 5 right of the table to 10 before the page's right edge; the
    // memo 10 narrower, 5 inside it.
    const int memoHeight = 7 * QFontMetrics(memo_->font()).lineSpacing() + 2 * memo_->frameWidth() + 8;
    const int splitLeft = gridRight + kPageMarginPx;
    split_->setGeometry(splitLeft, kPageMarginPx, std::max(page.width() - kGapPx - splitLeft, 100), memoHeight + 10);
    memo_->setGeometry(5, 5, split_->width() - 10, memoHeight);

    // The error panel of the common dial: 15 right of the table, over the rest of the page's width.
    const QSize errorSize = errorPanel_->sizeHint();
    const int errorLeft = gridRight + 15;
    errorPanel_->setGeometry(errorLeft, kPageMarginPx, std::max(page.width() - kGapPx - errorLeft, errorSize.width()),
                             errorSize.height());

    // The scatter columns make the table wide: it scrolls, and leaves the room of the panel beside it.
    if (scatterShown_) {
        const int besides = std::max(errorPanel_->sizeHint().width() + 15, save_->width() + 8) + kGapPx;
        dates_->setFixedWidth(std::min(dates_->width(), std::max(page.width() - kPageMarginPx - besides, 200)));
        const int right = dates_->x() + dates_->width();
        split_->move(right + kPageMarginPx, split_->y());
        errorPanel_->move(right + 15, errorPanel_->y());
        save_->move(right + 8, save_->y());
    }

    // The save button: 8 right of the table, 10 below the panel shown above it.
    const QWidget* above = !errorPanel_->isHidden() ? errorPanel_ : !split_->isHidden() ? split_ : nullptr;
    save_->move(gridRight + 8, above ? above->y() + above->height() + kGapPx : kPageMarginPx);
    lengthsIn_->move(save_->x(), save_->y() + save_->height() + kGapPx);
}

void DateMarkPage::setOwnColumns(int columns)
{
    ownColumns_ = columns;
    dates_->setShownColumns(columns);
}

void DateMarkPage::showDates(const Model& model)
{
    const std::optional<StringGrid> scatter = LeapCycleDateGrid(model, ownColumns_);
    scatterShown_ = scatter.has_value();
    dates_->setShownColumns(scatter ? scatter->colCount() : ownColumns_);
    dates_->showGrid(scatter ? *scatter : model.grids.StrGridDat);
}

std::optional<StringGrid> LeapCycleDateGrid(const Model& model, int ownColumns)
{
    if (model.params.showLeapCycle == 0)
        return std::nullopt;
    const std::vector<LeapCycleMark> marks = ComputeLeapCycleScatter(model.params, model.results);
    if (marks.empty())
        return std::nullopt;
    const StringGrid& dates = model.grids.StrGridDat;
    const LengthUnit unit = model.params.lengthUnit;
    const std::vector<std::string> headers = LeapCycleColumnHeaders(model.params.year, model.state.language, unit);
    const int own = std::min(ownColumns, dates.colCount());
    StringGrid grid(own + static_cast<int>(headers.size()), dates.rowCount(), dates.fixedCols(), dates.fixedRows());
    for (int r = 0; r < dates.rowCount(); ++r)
        for (int c = 0; c < own; ++c)
            grid.setCell(c, r, dates.cell(c, r));
    const auto place = [&](int row, const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            grid.setCell(own + static_cast<int>(i), row, cells[i]);
    };
    place(0, headers);
    for (int r = 1; r < dates.rowCount(); ++r) {
        const std::string& label = dates.cell(0, r);
        const auto mark = std::find_if(marks.begin(), marks.end(),
                                       [&](const LeapCycleMark& m) { return !label.empty() && m.label == label; });
        if (mark != marks.end())
            place(r, LeapCycleColumnCells(*mark, unit));
    }
    return grid;
}

} // namespace umbrix
