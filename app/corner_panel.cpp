#include "app/corner_panel.h"

#include <algorithm>

#include "app/form1_ui.h"
#include "calibration/number_text.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

std::array<QLineEdit *, 4> valueFields(const Form1Ui &ui)
{
    return {ui.Text1, ui.Text2, ui.Text3, ui.Text4};
}

// The option of each scale, in the order of AxisScale's chosen values.
std::array<std::pair<QRadioButton *, AxisScale>, 3> scaleOptions(const Form1Ui &ui)
{
    return {{{ui.Option1, AxisScale::LinearLinear}, {ui.Option2, AxisScale::LinearLog}, {ui.Option3, AxisScale::LogLog}}};
}

} // namespace

CornerPanel::CornerPanel(const Form1Ui &ui, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
{
    for (QLineEdit *field : valueFields(ui))
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (!m_settingTexts)
                emit changed();
        });
    // Toggled, not clicked: arrow keys move the selection within the group too.
    for (const auto &[option, scale] : scaleOptions(ui)) {
        connect(option, &QRadioButton::toggled, this, [this, scale = scale](bool checked) {
            if (checked)
                emit scaleChosen(scale);
            emit changed();
        });
    }
}

CornerTexts CornerPanel::texts() const
{
    CornerTexts texts;
    const auto fields = valueFields(m_ui);
    for (size_t i = 0; i < fields.size(); ++i)
        texts[i] = fields[i]->text();
    return texts;
}

void CornerPanel::setTexts(CornerTexts texts)
{
    // All four first, then one change: never a mix of old and new values.
    const auto fields = valueFields(m_ui);
    m_settingTexts = true;
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(texts[i]);
    m_settingTexts = false;
    emit changed();
}

void CornerPanel::setScale(AxisScale scale)
{
    const auto options = scaleOptions(m_ui);
    if (std::none_of(options.begin(), options.end(), [&](const auto &o) { return o.second == scale; })) {
        // A scale the window has no option for (log X with linear Y, from a
        // calibration file): no option shows chosen.
        for (const auto &[option, value] : options) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
        emit scaleChosen(scale);
        return;
    }
    for (const auto &[option, value] : options) {
        if (value == scale) {
            option->setChecked(true);
            emit scaleChosen(scale);
        }
    }
}

void CornerPanel::showPixel(Corner corner, float x, float y)
{
    (corner == Corner::Start ? m_ui.Text5 : m_ui.Text7)->setText(formatPosition(x));
    (corner == Corner::Start ? m_ui.Text6 : m_ui.Text8)->setText(formatPosition(y));
}

void CornerPanel::clearPixels()
{
    for (QLineEdit *field : {m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8})
        field->clear();
}
