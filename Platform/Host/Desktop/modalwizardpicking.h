#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

class QWidget;

// Lets a modal wizard take text from the page preview, as the modeless one
// does. The wizard is given a hidden stand-in for the preview as parent, so
// that it blocks only that stand-in and the real preview still takes clicks;
// its tool signals are joined to the preview when it shows, since the modal
// wizard does not join them itself. Lives for one modal call.
class ModalWizardPicking : public QObject
{
    Q_OBJECT

public:
    explicit ModalWizardPicking(QWidget* preview);
    ~ModalWizardPicking() override;

    // The parent to give the modal wizard.
    QWidget* wizardParent() const { return mStandIn.get(); }
    QDialog* wizard() const { return mWizard; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void adopt(QDialog* wizard);

    QWidget* mPreview;
    std::unique_ptr<QWidget> mStandIn;
    QPointer<QDialog> mWizard;
};
