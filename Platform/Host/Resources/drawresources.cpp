// Draws the images the host registers for its actions: dialog shadows, the
// header strip, header button icons, the application icon and the action's
// tool icons. Run once and commit the output:
//   vantora_draw_resources <Platform/Host/Resources/images>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

// One palette for every icon: white glyphs on the grey header, a blue accent
// for the action and the application.
const QColor Glyph(255, 255, 255);
const QColor GlyphDisabled(200, 200, 200, 150);
const QColor Accent(58, 86, 168);
const QColor AccentDark(30, 44, 96);
const QColor Ribbon(214, 64, 52);
const QColor Paper(250, 250, 247);
const QColor Ink(120, 126, 140);

constexpr int ShadowSize = 8;
constexpr int ShadowAlpha = 70;

using Painting = std::function<void(QPainter&, const QSize&)>;

QString outputFolder;
int failures = 0;

void Save(const QString& name, QSize size, const Painting& paint)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, size);
    painter.end();
    const QString path = outputFolder + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG", 9)) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        ++failures;
    }
}

// Shadows: black fading out from the side that touches the dialog.
QColor ShadowAt(double strength)
{
    return QColor(0, 0, 0, int(std::lround(ShadowAlpha * strength * strength)));
}

void EdgeShadow(const QString& name, QPointF dark, QPointF light)
{
    Save(name, QSize(ShadowSize, ShadowSize), [=](QPainter& p, const QSize& s) {
        QLinearGradient fade(dark, light);
        fade.setColorAt(0, ShadowAt(1.0));
        fade.setColorAt(0.5, ShadowAt(0.5));
        fade.setColorAt(1, ShadowAt(0.0));
        p.fillRect(QRect(QPoint(), s), fade);
    });
}

void CornerShadow(const QString& name, QPointF corner)
{
    Save(name, QSize(ShadowSize, ShadowSize), [=](QPainter& p, const QSize& s) {
        QRadialGradient fade(corner, ShadowSize);
        fade.setColorAt(0, ShadowAt(1.0));
        fade.setColorAt(0.5, ShadowAt(0.5));
        fade.setColorAt(1, ShadowAt(0.0));
        p.fillRect(QRect(QPoint(), s), fade);
    });
}

// A list: three bullets with lines, scaled to the icon.
void ListGlyph(QPainter& p, const QRectF& r, const QColor& color)
{
    const double unit = r.height() / 6.0;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (int i = 0; i < 3; ++i) {
        const double y = r.top() + unit * (1 + 2 * i) - unit * 0.5;
        p.drawEllipse(QRectF(r.left(), y, unit, unit));
        p.drawRoundedRect(QRectF(r.left() + unit * 1.7, y + unit * 0.15, r.width() - unit * 1.7, unit * 0.7),
                          unit * 0.3, unit * 0.3);
    }
}

// A disc with a plus cut out of it, so the header shows through.
void PlusBadge(QPainter& p, const QPointF& centre, double radius, const QColor& color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(centre, radius, radius);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(QPen(Qt::black, radius * 0.45, Qt::SolidLine, Qt::RoundCap));
    const double arm = radius * 0.55;
    p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void ActionListIcon(const QString& name, const QColor& color, bool badge)
{
    Save(name, QSize(20, 20), [=](QPainter& p, const QSize&) {
        ListGlyph(p, QRectF(1, 2, badge ? 14 : 18, 14), color);
        if (badge)
            PlusBadge(p, QPointF(15, 15), 4.5, color);
    });
}

QPainterPath Star(const QPointF& centre, double outer, double inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 ? inner : outer;
        const QPointF point = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

void CollectionIcon(const QString& name, const QColor& color)
{
    Save(name, QSize(20, 20), [=](QPainter& p, const QSize&) {
        p.setPen(QPen(color, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(color);
        p.drawPath(Star(QPointF(10, 10.8), 8.6, 3.6));
    });
}

void CloseIcon(const QString& name, const QColor& color)
{
    Save(name, QSize(14, 14), [=](QPainter& p, const QSize&) {
        p.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 3), QPointF(11, 11));
        p.drawLine(QPointF(11, 3), QPointF(3, 11));
    });
}

// A page with an outline tree beside a bookmark ribbon: the action's picture.
void BookmarkPage(QPainter& p, const QRectF& r, const QColor& paper, const QColor& ink, const QColor& ribbon)
{
    const double u = r.width() / 16.0;
    QPainterPath page;
    const QRectF sheet(r.left() + 2 * u, r.top() + u, 12 * u, 14 * u);
    page.addRoundedRect(sheet, u, u);
    p.setPen(QPen(ink.darker(130), std::max(1.0, u * 0.6)));
    p.setBrush(paper);
    p.drawPath(page);

    p.setPen(QPen(ink, std::max(1.0, u * 0.9), Qt::SolidLine, Qt::RoundCap));
    const double left = sheet.left() + 1.6 * u;
    const struct { double indent; double length; } lines[] = {{0, 5}, {1.5, 4}, {1.5, 3.5}, {0, 5}, {1.5, 4}};
    for (int i = 0; i < 5; ++i) {
        const double y = sheet.top() + (2.2 + 2.3 * i) * u;
        p.drawLine(QPointF(left + lines[i].indent * u, y), QPointF(left + (lines[i].indent + lines[i].length) * u, y));
    }

    QPainterPath flag;
    const double x = sheet.right() - 3.6 * u;
    flag.moveTo(x, sheet.top() - 0.4 * u);
    flag.lineTo(x + 2.6 * u, sheet.top() - 0.4 * u);
    flag.lineTo(x + 2.6 * u, sheet.top() + 6 * u);
    flag.lineTo(x + 1.3 * u, sheet.top() + 4.8 * u);
    flag.lineTo(x, sheet.top() + 6 * u);
    flag.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ribbon);
    p.drawPath(flag);
}

void ActionIcon(const QString& name, bool selected, bool disabled)
{
    Save(name, QSize(32, 32), [=](QPainter& p, const QSize& s) {
        if (selected) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(Accent.red(), Accent.green(), Accent.blue(), 60));
            p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), 5, 5);
        }
        if (disabled)
            BookmarkPage(p, QRectF(0, 0, 32, 32), QColor(236, 236, 236), QColor(170, 170, 170),
                         QColor(180, 180, 180));
        else
            BookmarkPage(p, QRectF(0, 0, 32, 32), Paper, selected ? AccentDark : Ink, Ribbon);
    });
}

void AppIcon(const QString& name)
{
    Save(name, QSize(256, 256), [](QPainter& p, const QSize&) {
        QLinearGradient tile(0, 0, 0, 256);
        tile.setColorAt(0, Accent.lighter(125));
        tile.setColorAt(1, AccentDark);
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
        BookmarkPage(p, QRectF(40, 40, 176, 176), Paper, Ink, Ribbon);
    });
}

void HeaderStrip(const QString& name)
{
    Save(name, QSize(240, 30), [](QPainter& p, const QSize& s) {
        QLinearGradient strip(0, 0, s.width(), 0);
        strip.setColorAt(0, QColor(255, 255, 255, 60));
        strip.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRect(QPoint(), s), strip);
    });
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: vantora_draw_resources <output folder>\n";
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);

    const double near = ShadowSize;
    EdgeShadow("DialogShadow-Top.png", QPointF(0, near), QPointF(0, 0));
    EdgeShadow("DialogShadow-Btm.png", QPointF(0, 0), QPointF(0, near));
    EdgeShadow("DialogShadow-Left.png", QPointF(near, 0), QPointF(0, 0));
    EdgeShadow("DialogShadow-Right.png", QPointF(0, 0), QPointF(near, 0));
    CornerShadow("DialogShadow-TopLeft.png", QPointF(near, near));
    CornerShadow("DialogShadow-TopRight.png", QPointF(0, near));
    CornerShadow("DialogShadow-BtmLeft.png", QPointF(near, 0));
    CornerShadow("DialogShadow-BtmRight.png", QPointF(0, 0));

    HeaderStrip("VantoraHeader.png");
    ActionListIcon("PaneActionList_extra.png", Glyph, true);
    ActionListIcon("PaneActionList_disabled.png", GlyphDisabled, true);
    Save("PaneActionList_selected.png", QSize(42, 42), [](QPainter& p, const QSize&) {
        ListGlyph(p, QRectF(4, 6, 34, 30), Accent);
    });
    CollectionIcon("Collection.png", Glyph);
    CollectionIcon("Collection_disabled.png", GlyphDisabled);
    CloseIcon("WinClose.png", Glyph);
    CloseIcon("WinClose_disabled.png", GlyphDisabled);

    AppIcon("Icons/App_icon_256x256.png");
    ActionIcon("Tools/Action_BuildBookmarks.png", false, false);
    ActionIcon("Tools/Action_BuildBookmarks_Selected.png", true, false);
    ActionIcon("Tools/Action_BuildBookmarks_Disabled.png", false, true);
    return failures ? 1 : 0;
}
