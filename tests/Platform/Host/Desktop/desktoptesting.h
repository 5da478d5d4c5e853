#pragma once

// Driving the desktop host as a user does: the sample manual, the wizard's
// widgets by name, and clicks and drags on the preview at a heading.

#include "../../../support/ModalStep/modalstep.h"
#include "actionplugin.h"
#include "desktopwindow.h"
#include "opendocument.h"
#include "pageview.h"
#include "pdflibrarybinding.h"
#include "previewwindow.h"
#include "textline.h"

#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

struct Heading
{
    QString title;
    int page;
    int level;
};

// The built plug-in; beside the executable when no folder is given.
QString PluginPath()
{
    const QString folder = qEnvironmentVariable("VANTORA_BIN_DIR");
    return folder.isEmpty() ? ActionPlugin::defaultPath() : QDir(folder).filePath(QStringLiteral("libBuildBookmarks.so"));
}

// Draws the bundled sample manual; the headings as drawn come back.
bool MakeSampleManual(const QString& pdf, QList<Heading>& headings)
{
    const QString json = pdf + QStringLiteral(".json");
    if (QProcess::execute(QStringLiteral(VANTORA_PYTHON), {QStringLiteral(VANTORA_SAMPLES_DIR "/makesamplemanual.py"), pdf, json}) != 0)
        return false;
    QFile file(json);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject heading = value.toObject();
        headings << Heading{heading["title"].toString(), heading["page"].toInt(), heading["level"].toInt()};
    }
    return !headings.isEmpty();
}

// The line of `page` that starts with `text`, read through the window's own
// document as the library reports it.
TextLine LineOf(DesktopWindow& window, int page, const QString& text)
{
    OmbrelPDFLibraryCPDylibCPP1311& library = window.document()->library();
    library.SelectPage(page);
    library.SetTextExtractionOptions(1, 0);
    const std::wstring wide = library.GetPageText(3);
    const QString pageText = QString::fromUcs4(reinterpret_cast<const uint*>(wide.data()), static_cast<int>(wide.size()));
    for (const TextLine& line : TextLine::fromPageText(pageText))
        if (line.text.startsWith(text))
            return line;
    qWarning("no line \"%s\" on page %d", qPrintable(text), page);
    return TextLine();
}

QDialog* Wizard(DesktopWindow& window)
{
    return window.previewWindow()->findChild<QDialog*>(QStringLiteral("BuildBookmarksPrefsDialog"));
}

// Brings the line's page into view and clicks the line, or drags a rectangle
// from above its left end to below its middle; through the window, where a
// modal dialog would block it.
void PointAt(DesktopWindow& window, int page, const TextLine& line, bool drag)
{
    PageView* view = window.previewWindow()->pageView();
    view->goToPage(page);
    QApplication::processEvents();
    const auto at = [&](const QPointF& user) { return view->viewport()->mapTo(&window, view->viewportPoint(page, user)); };
    const QPoint to = at(drag ? QPointF(line.box.center().x(), line.box.top() - 2) : line.box.center());
    if (drag) {
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at(QPointF(line.box.left() - 4, line.box.bottom() + 4)));
        QTest::mouseMove(window.windowHandle(), to);
    } else {
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, to);
    }
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, to);
}

} // namespace
