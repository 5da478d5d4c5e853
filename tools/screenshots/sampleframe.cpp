// Shows the dialog frame around a sample form in a real window and saves a
// picture of it, frame edges included:
//   vantora_sample_frame [--host none|main|preview] <output.png>

#include "actionutils.h"
#include "vantoradialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class SampleDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    explicit SampleDialog(QWidget* parent)
        : CVantoraDialog(parent, true)
    {
        setWindowTitle("Bookmarks by Content");
        QWidget* form = buildForm();
        titleLabel->setText(windowTitle());
        VDaddMainWidget(form, false);
        VDaddTopButtons();
        VDaddCloseButton();
    }

public slots:
    void on_VDShowSaveDialog() {}
    void on_VDShowSaveCollectionDialog() {}

private:
    QWidget* buildForm()
    {
        auto* form = new QWidget(this);
        form->setObjectName("main_widget");
        auto* layout = new QVBoxLayout(form);

        auto* level = new QGroupBox("Level 1", form);
        auto* rules = new QFormLayout(level);
        auto* font = new QComboBox(level);
        font->setEditable(true);
        font->addItem("DejaVu Sans");
        rules->addRow("Font name:", font);
        auto* size = new QSpinBox(level);
        size->setValue(14);
        rules->addRow("Font size:", size);
        auto* color = new QComboBox(level);
        color->setMinimumWidth(140);
        color->resize(140, color->sizeHint().height());
        CActionUtils::SetupColorPickerComboBox(color, false);
        rules->addRow("Font colour:", color);
        rules->addRow("Text mask:", new QLineEdit("^[0-9]+\\.", level));
        rules->addRow(new QCheckBox("Skip repeated headings", level));
        layout->addWidget(level, 1);

        auto* buttons = new QWidget(form);
        buttons->setObjectName("button_widget");
        auto* row = new QHBoxLayout(buttons);
        row->addStretch(1);
        row->addWidget(new QPushButton("OK", buttons));
        row->addWidget(new QPushButton("Cancel", buttons));
        layout->addWidget(buttons);

        form->resize(460, form->sizeHint().height());
        return form;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString host = "none";
    const int hostOption = args.indexOf("--host");
    if (hostOption >= 0 && hostOption + 1 < args.size()) {
        host = args.at(hostOption + 1);
        args.erase(args.begin() + hostOption, args.begin() + hostOption + 2);
    }
    if (args.size() != 1) {
        QTextStream(stderr) << "usage: vantora_sample_frame [--host none|main|preview] <output.png>\n";
        return 2;
    }
    const QString output = args.first();

    QWidget hostWindow;
    if (host == "main")
        hostWindow.setObjectName("VantoraClass");
    else if (host == "preview")
        hostWindow.setObjectName("VantoraPreviewClass");
    hostWindow.setGeometry(0, 0, 1280, 800);

    SampleDialog dialog(host == "none" ? nullptr : &hostWindow);
    dialog.show();

    int result = 1;
    QTimer::singleShot(1000, &dialog, [&] {
        // From the screen, not from the widget: this is what the X server shows.
        const QRect area = dialog.frameGeometry().adjusted(-16, -16, 16, 16);
        const QPixmap shot = dialog.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        result = shot.save(output) ? 0 : 1;
        QTextStream(stdout) << output << ": " << shot.width() << "x" << shot.height() << ", dialog "
                            << dialog.width() << "x" << dialog.height() << "\n";
        dialog.reject();
    });
    dialog.exec();
    return result;
}

#include "sampleframe.moc"
