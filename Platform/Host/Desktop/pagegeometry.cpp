#include "pagegeometry.h"

#include "pdflibrarybinding.h"

namespace {

// GetPageBox's box and dimension codes.
const int CropBox = 2;
enum Dimension { Left = 0, Top = 1, Width = 2, Height = 3 };

// A page without a usable box still takes room on screen.
const QSizeF LetterSize(612, 792);

} // namespace

QRectF PageGeometry::read(OmbrelPDFLibraryCPDylibCPP1311& library, int page)
{
    if (library.SelectPage(page) == 0)
        return QRectF();
    const double left = library.GetPageBox(CropBox, Left);
    const double top = library.GetPageBox(CropBox, Top);
    const double width = library.GetPageBox(CropBox, Width);
    const double height = library.GetPageBox(CropBox, Height);
    // y of the rectangle is the box's bottom: user space grows upwards.
    return width > 0 && height > 0 ? QRectF(left, top - height, width, height) : QRectF();
}

QRectF PageGeometry::placeholder()
{
    return QRectF(QPointF(0, 0), LetterSize);
}

QPointF PageGeometry::toImage(const QRectF& crop, const QPointF& user, double scale)
{
    return QPointF((user.x() - crop.left()) * scale, (crop.bottom() - user.y()) * scale);
}

QPointF PageGeometry::toUser(const QRectF& crop, const QPointF& image, double scale)
{
    return QPointF(crop.left() + image.x() / scale, crop.bottom() - image.y() / scale);
}
