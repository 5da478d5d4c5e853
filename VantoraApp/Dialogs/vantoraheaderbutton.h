#pragma once

#include <QToolButton>

// A tool button in a dialog frame's header. It swallows double clicks so they
// never reach the header underneath, where a double click would maximise.
class CVantoraHeaderButton : public QToolButton
{
public:
    explicit CVantoraHeaderButton(QWidget* header);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
