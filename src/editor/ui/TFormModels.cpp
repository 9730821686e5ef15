#include "TFormModels.h"

#include <QFontMetrics>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/Texts.h"

namespace kv::editor::ui {

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string NameOf(const std::string& caption) {
    std::string name = caption;
    std::erase(name, ' ');
    return name;
}

// The summary puts two tabs after captions shorter than ten characters and one after the
// others: a tab stop between the widest short caption and the narrowest long one lines the
// choices up.
qreal SummaryTabStop(const QFontMetrics& metrics, const ProductCodesPage& page) {
    int widestShort = metrics.horizontalAdvance("Model:"), narrowestLong = 0;
    for (const ChoiceGroup& group : page.Groups) {
        const int width = metrics.horizontalAdvance(Qs(group.Caption + ":"));
        if (group.Caption.size() + 1 < 10)
            widestShort = std::max(widestShort, width);
        else
            narrowestLong = narrowestLong ? std::min(narrowestLong, width) : width;
    }
    return (widestShort + narrowestLong) / 2.0;
}

}  // namespace

TFormModels::TFormModels(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TFormModels");
    setWindowTitle(text::ProductCodesCaption);
    setModal(true);
    PageControlModels = new QTabWidget(this);
    PageControlModels->setObjectName("PageControlModels");
    PageControlModels->setAccessibleName(text::ProductCodesCaption);
    Pages.resize(Codes.Pages.size());
    for (int page = 0; page < static_cast<int>(Codes.Pages.size()); ++page)
        PageControlModels->addTab(MakePage(page), Qs(Codes.Pages[page].Model));
    PageControlModels->tabBar()->hide();  // FormCreate: the page follows the selected model

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControlModels);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TFormModels::MakePage(int page) {
    const ProductCodesPage& codes = Codes.Pages[page];
    auto* sheet = new QWidget;
    sheet->setObjectName(Qs("TabSheet" + codes.Model));
    auto* layout = new QVBoxLayout(sheet);

    PageWidgets& widgets = Pages[page];
    widgets.Memo = new QPlainTextEdit(sheet);
    widgets.Memo->setObjectName(Qs("MemoSummary" + codes.Model));
    widgets.Memo->setAccessibleName("Order Code Summary");
    widgets.Memo->setReadOnly(true);
    widgets.Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    widgets.Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(widgets.Memo->font());
    const qreal tabStop = SummaryTabStop(metrics, codes);
    widgets.Memo->setTabStopDistance(tabStop);
    // Nine lines, and room for the longest choice after its caption or a title of 50 characters.
    const int chrome = 2 * (widgets.Memo->frameWidth() +
                            static_cast<int>(widgets.Memo->document()->documentMargin()));
    int widestLine = metrics.horizontalAdvance(Qs("758-FP01 Instrument    \"\"    (Class 02)") +
                                               QString(50, 'n'));
    for (const ChoiceGroup& group : codes.Groups)
        for (const std::string& choice : group.Choices)
            widestLine = std::max(
                widestLine, static_cast<int>(2 * tabStop) + metrics.horizontalAdvance(Qs(choice)));
    // The box is made wide enough for every line (with room for the layout's rounding), so a
    // horizontal scroll bar would only hide the ninth line.
    widgets.Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widgets.Memo->setMinimumWidth(widestLine + chrome + 24);
    widgets.Memo->setFixedHeight(metrics.lineSpacing() * static_cast<int>(codes.Summary.size()) +
                                 chrome + 4);
    layout->addWidget(widgets.Memo);

    for (const ChoiceGroup& group : codes.Groups) {
        const std::string name = "RadioGroup" + NameOf(group.Caption) + codes.Model;
        auto* box = new QGroupBox(Qs(group.Caption), sheet);
        box->setObjectName(Qs(name));
        box->setAccessibleName(Qs(group.Caption));
        auto* buttons = new QButtonGroup(box);
        auto* column = new QVBoxLayout(box);
        column->setSpacing(2);
        for (int index = 0; index < static_cast<int>(group.Choices.size()); ++index) {
            const std::string& choice = group.Choices[index];
            auto* radio = new QRadioButton(Qs(choice), box);
            radio->setObjectName(Qs(name + "_" + choice[0]));
            radio->setAccessibleName(Qs(choice));
            buttons->addButton(radio, index);
            column->addWidget(radio);
        }
        connect(buttons, &QButtonGroup::idClicked, this,
                [this, page, tag = group.Tag](int index) { RadioGroupClick(page, tag, index); });
        widgets.Groups.push_back(box);
        widgets.Buttons.push_back(buttons);
        layout->addWidget(box);
    }
    layout->addStretch();  // both pages are as tall as the taller one
    return sheet;
}

void TFormModels::Execute(const ProductSelection& selection) {
    const int shown = Codes.FormShow(selection);
    for (int page = 0; page < static_cast<int>(Pages.size()); ++page) Render(page);
    if (shown >= 0) PageControlModels->setCurrentIndex(shown);
    PageControlModels->setFocus();
    exec();
}

void TFormModels::RadioGroupClick(int page, int tag, int itemIndex) {
    Codes.RadioGroupClick(Codes.Pages[page], tag, itemIndex);
    Render(page);
}

void TFormModels::Render(int page) {
    const ProductCodesPage& codes = Codes.Pages[page];
    PageWidgets& widgets = Pages[page];
    for (std::size_t i = 0; i < codes.Groups.size(); ++i) {
        widgets.Groups[i]->setEnabled(codes.Groups[i].Enabled);
        widgets.Buttons[i]->button(codes.Groups[i].ItemIndex)->setChecked(true);
    }
    QStringList lines;
    for (const std::string& line : codes.Summary) lines << Qs(line);
    widgets.Memo->setPlainText(lines.join('\n'));
}

}  // namespace kv::editor::ui
