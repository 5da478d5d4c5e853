#pragma once

#include <QRectF>
#include <QVector>

class OmbrelPDFLibraryCPDylibCPP1311;

// Where each page's visible area (its crop box) lies in PDF user space, which
// is what a rendered page shows and what text positions are given in.
class PageGeometry
{
public:
    // Pages 1..PageCount of the loaded document; index 0 is page 1.
    static QVector<QRectF> read(OmbrelPDFLibraryCPDylibCPP1311& library);

    // User space (y up) to the position in a page image drawn `scale` pixels
    // to the point, and back.
    static QPointF toImage(const QRectF& crop, const QPointF& user, double scale);
    static QPointF toUser(const QRectF& crop, const QPointF& image, double scale);
};
