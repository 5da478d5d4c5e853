#include "vantoraheaderbutton.h"

#include <QMouseEvent>

namespace {

const char* const HeaderButtonStyle =
    "QToolButton {background-color: transparent;color: white;background-image: url(none.png);border: none;}"
    "QToolButton QWidget {background-color: black;}"
    "QToolButton:disabled{background-color: transparent;color: silver;background-image: url(none.png);border: none;}"
    "QToolButton:checked{background-color: qlineargradient(spread:repeat, x1:0, y1:0, x2:1, y2:0, stop:0 rgba(210, 210, 210), stop:1 rgba(210, 210, 210));color: white;background-image: url(none.png);border: none;}"
    "QToolButton:hover{background-color: qlineargradient(spread:repeat, x1:0, y1:0, x2:1, y2:0, stop:0 rgba(210, 210, 210), stop:1 rgba(210, 210, 210));color: white;background-image: url(none.png);border: none;}"
    "QToolButton:pressed {background-color: qlineargradient(spread:repeat, x1:0, y1:0, x2:1, y2:0, stop:0 rgba(210, 210, 210), stop:1 rgba(210, 210, 210));color: white;background-image: url(none.png);border: none;}"
    "QToolTip {background-color: white;color: black;background-image: url(none.png);border: none;}";

constexpr int ButtonSize = 24;

} // namespace

CVantoraHeaderButton::CVantoraHeaderButton(QWidget* header)
    : QToolButton(header)
{
    setFixedSize(ButtonSize, ButtonSize);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setStyleSheet(QString::fromLatin1(HeaderButtonStyle));
}

void CVantoraHeaderButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
