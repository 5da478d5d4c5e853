#pragma once

#include <QRectF>

class OmbrelPDFLibraryCPDylibCPP1311;

// Where each page's visible area (its crop box) lies in PDF user space, which
// is what a rendered page shows and what text positions are given in.
class PageGeometry
{
public:
    // The crop box of one page of the loaded document; an empty rectangle
    // when the page does not load.
    static QRectF read(OmbrelPDFLibraryCPDylibCPP1311& library, int page);
    // What a page that did not load takes on screen.
    static QRectF placeholder();

    // User space (y up) to the position in a page image drawn `scale` pixels
    // to the point, and back.
    static QPointF toImage(const QRectF& crop, const QPointF& user, double scale);
    static QPointF toUser(const QRectF& crop, const QPointF& image, double scale);
};
