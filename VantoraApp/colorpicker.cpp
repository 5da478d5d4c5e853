#include "colorpicker.h"

#include "actionutils.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include <iterator>

namespace {

struct NamedColor
{
    const char* text;
    QRgb rgb;
};

// Indices FirstNamedIndex to LastNamedIndex, in picker order.
constexpr NamedColor NamedColors[] = {
    {"Black", qRgb(0, 0, 0)},
    {"White", qRgb(255, 255, 255)},
    {"Gray", qRgb(160, 160, 164)},
    {"Red", qRgb(255, 0, 0)},
    {"Orange", qRgb(255, 127, 0)},
    {"Yellow", qRgb(255, 255, 0)},
    {"Green", qRgb(0, 255, 0)},
    {"Cyan", qRgb(0, 255, 255)},
    {"Blue", qRgb(0, 0, 255)},
    {"Fuchsia", qRgb(255, 0, 255)},
};
static_assert(std::size(NamedColors) == ColorPicker::LastNamedIndex - ColorPicker::FirstNamedIndex + 1,
              "one named colour per index");

const char* const NoneText = "(none)";
const char* const CustomText = "Custom...";

constexpr int RowHeight = 17;
constexpr int VisibleItems = 4;

const NamedColor* NamedColorAt(int index)
{
    if (index < ColorPicker::FirstNamedIndex || index > ColorPicker::LastNamedIndex)
        return nullptr;
    return &NamedColors[index - ColorPicker::FirstNamedIndex];
}

} // namespace

QPixmap ColorPicker::Swatch(const QColor& color, int size)
{
    QPixmap swatch(size, size);
    swatch.fill(color);
    QPainter painter(&swatch);
    painter.drawRect(0, 0, size - 2, size - 2);
    return swatch;
}

void CActionUtils::SetupColorPickerComboBox(QComboBox* combo, bool withNone)
{
    using namespace ColorPicker;
    combo->setIconSize(QSize(SwatchSize, SwatchSize));

    auto* model = new QStandardItemModel(combo);
    if (withNone)
        model->setItem(NoneIndex, 0, new QStandardItem(QString::fromLatin1(NoneText)));
    const int rowOffset = withNone ? 0 : -1;
    for (int index = FirstNamedIndex; index <= LastNamedIndex; ++index) {
        const QColor color = GetColorPickerColor(index);
        auto* item = new QStandardItem(QString::fromLatin1(NamedColorAt(index)->text));
        item->setData(color, Qt::UserRole + 1);
        item->setData(QIcon(Swatch(color)), Qt::DecorationRole);
        model->setItem(index + rowOffset, 0, item);
    }
    auto* custom = new QStandardItem(QString::fromLatin1(CustomText));
    custom->setData(QIcon(Swatch(Qt::white)), Qt::DecorationRole);
    const int customRow = CustomIndex + rowOffset;
    model->setItem(customRow, 0, custom);

    auto* view = new QTableView(combo);
    combo->setModel(model);
    combo->setView(view);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setIconSize(QSize(SwatchSize, SwatchSize));
    view->setColumnWidth(0, combo->width() - 2);
    view->setFixedWidth(combo->width() - 2);
    for (int row = 0; row < model->rowCount(); ++row)
        view->setRowHeight(row, RowHeight);
    view->setFixedHeight(model->rowCount() * RowHeight);
    combo->setMaxVisibleItems(VisibleItems);

    // The user's own colour is kept on the row; white until one is chosen.
    combo->setItemData(customRow, QColor(255, 255, 255, 255), Qt::UserRole);

    view->setStyleSheet(QStringLiteral(
        "QTableView {gridline-color: white; background-color: white; selection-background-color: lightblue;}"));
}

QColor CActionUtils::GetColorPickerColor(int index)
{
    const NamedColor* named = NamedColorAt(index);
    return named ? QColor::fromRgb(named->rgb) : QColor(Qt::black);
}

int CActionUtils::GetColorPickerIndex(QColor color)
{
    for (int index = ColorPicker::FirstNamedIndex; index <= ColorPicker::LastNamedIndex; ++index) {
        if (GetColorPickerColor(index) == color)
            return index;
    }
    return ColorPicker::CustomIndex;
}
