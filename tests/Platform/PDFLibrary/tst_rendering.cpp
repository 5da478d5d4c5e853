// Pages rendered for a preview.
#include "librarysession.h"
#include "samplepdf.h"

#include <QImage>
#include <QtTest>

class RenderingTest : public QObject
{
    Q_OBJECT

private slots:
    void pageAsPng();
};

void RenderingTest::pageAsPng()
{
    LibrarySession session;
    auto& lib = session.library();
    QVERIFY(lib.RenderPageToString(72, 1, 0).empty());
    SamplePdf pdf(QSizeF(200, 100));
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    pdf.drawText(1, QPointF(10, 60), "REDRED", font, Qt::red);
    QVERIFY(pdf.write(session.path("render.pdf")));
    QVERIFY(session.load(session.path("render.pdf")));

    const std::string png = lib.RenderPageToString(144, 1, 0);
    const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()), "PNG");
    QCOMPARE(image.size(), QSize(400, 200));
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixelColor(x, y) == QColor(Qt::red);
    QVERIFY(red > 500);
    // No such page, resolutions no preview needs, unknown options.
    QVERIFY(lib.RenderPageToString(144, 2, 0).empty() && lib.RenderPageToString(0, 1, 0).empty()
            && lib.RenderPageToString(1e9, 1, 0).empty() && lib.RenderPageToString(72, 1, 1).empty());
}

QTEST_MAIN(RenderingTest)
#include "tst_rendering.moc"
