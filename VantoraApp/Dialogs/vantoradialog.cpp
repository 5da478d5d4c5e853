#include "vantoradialog.h"

#include "utils.h"
#include "vantoraheaderbutton.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const char* const MainWindowName = "VantoraClass";
const char* const PreviewWindowName = "VantoraPreviewClass";
const char* const ProductPrefix = "Lumex Reader Advanced Tools";
const char* const ResourceFolder = ":/Vantora/Resources/";

// Blue border and button strip, for dialogs opened from the main window.
const char* const MainFrameStyle =
    "QWidget#main_widget {background-color: rgb(255,255,255);color: rgb(0, 0, 0);}"
    "QFrame#VDmainFrame {background: rgb(147, 147 ,147);border: 1px solid rgb(50,50,170);}"
    "QGroupBox {border: 1px solid rgb(190,190,190);margin: 4px;margin-top: 6px;padding-top: 5px;}"
    "QGroupBox::title {padding-left: 2px;padding-right: 2px;left: 10px;top: -5 px;}"
    "QLineEdit::disabled {background-color: rgb(235,235,235);}"
    "QWidget#button_widget {color: white;background-color:qlineargradient(spread:repeat, x1:0, y1:0, x2:0, y2:1, "
    "stop:0 rgba(70,90,160), stop:1 rgba(40,60,90));border-top-left-radius: 6px;border-bottom-left-radius: 6px;"
    "border-top-right-radius: 6px;border-bottom-right-radius: 6px;}";

// Everywhere else the same sheet in greys, in this order.
const struct
{
    const char* blue;
    const char* grey;
} GreyScheme[] = {
    {"rgb(50,50,170);", "rgb(140,130,130);"},
    {"rgba(70,90,160)", "rgba(140,130,130)"},
    {"rgba(40,60,90)", "rgba(40,36,36)"},
};

const char* const HeaderStyle =
    "QFrame#VDheaderFrame {\nbackground-image: url(:/Vantora/Resources/VantoraHeader.png);\n"
    "background-repeat: no-repeat;\n}";

constexpr int ShadowThickness = 8;
constexpr int HeaderHeight = 30;
constexpr int HandlerBorderWidth = 9;

struct HeaderButton
{
    const char* objectName;
    const char* toolTip;
    const char* normalImage;
    const char* disabledImage;
    int iconSize;
    const char* slot;
};

const HeaderButton AddToActionListButton = {
    "VDtoolbarAddToActionListButton", "Add to/Create new Action",
    "PaneActionList_extra.png", "PaneActionList_disabled.png", 20, SLOT(on_VDShowSaveDialog())};
const HeaderButton AddToCollectionsButton = {
    "VDtoolbarAddToCollectionsButton", "Add to Favorites/Save settings",
    "Collection.png", "Collection_disabled.png", 20, SLOT(on_VDShowSaveCollectionDialog())};
const HeaderButton CloseButton = {
    "vantoraHeaderCloseBtn", nullptr, "WinClose.png", "WinClose_disabled.png", 14, SLOT(reject())};

CVantoraHeaderButton* AddHeaderButton(QWidget* header, QHBoxLayout* layout, const HeaderButton& entry,
                                      QObject* receiver)
{
    auto* button = new CVantoraHeaderButton(header);
    button->setObjectName(QString::fromLatin1(entry.objectName));
    if (entry.toolTip)
        button->setToolTip(QString::fromLatin1(entry.toolTip));
    QIcon icon;
    icon.addFile(ResourceFolder + QString::fromLatin1(entry.normalImage), QSize(), QIcon::Normal, QIcon::Off);
    icon.addFile(ResourceFolder + QString::fromLatin1(entry.disabledImage), QSize(), QIcon::Disabled, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(QSize(entry.iconSize, entry.iconSize));
    layout->addWidget(button);
    QObject::connect(button, SIGNAL(clicked()), receiver, entry.slot);
    return button;
}

} // namespace

// The shadow frames around the main frame, in the order they are made. Only
// corners have a position; the edges tile their image along themselves.
struct CVantoraDialog::ShadowFrame
{
    QFrame* CVantoraDialog::*member;
    const char* objectName;
    int row;
    int column;
    const char* repeat;
    const char* position;

    static const ShadowFrame Table[8];
    static constexpr int BeforeMainFrame = 4;

    QString styleSheet() const;
};

const CVantoraDialog::ShadowFrame CVantoraDialog::ShadowFrame::Table[8] = {
    {&CVantoraDialog::VDshadowTopLeft, "VDshadowTopLeft", 0, 0, "no-repeat", "bottom right"},
    {&CVantoraDialog::VDshadowTop, "VDshadowTop", 0, 1, "repeat-x", nullptr},
    {&CVantoraDialog::VDshadowTopRight, "VDshadowTopRight", 0, 2, "no-repeat", "bottom left"},
    {&CVantoraDialog::VDshadowLeft, "VDshadowLeft", 1, 0, "repeat-y", nullptr},
    {&CVantoraDialog::VDshadowRight, "VDshadowRight", 1, 2, "repeat-y", nullptr},
    {&CVantoraDialog::VDshadowBtmLeft, "VDshadowBtmLeft", 2, 0, "no-repeat", "top right"},
    {&CVantoraDialog::VDshadowBtm, "VDshadowBtm", 2, 1, "repeat-x", nullptr},
    {&CVantoraDialog::VDshadowBtmRight, "VDshadowBtmRight", 2, 2, "no-repeat", "top left"},
};

QString CVantoraDialog::ShadowFrame::styleSheet() const
{
    // "VDshadowTopLeft" shows "DialogShadow-TopLeft.png".
    const QString name = QString::fromLatin1(objectName);
    const QString image = "DialogShadow-" + name.mid(int(qstrlen("VDshadow"))) + ".png";
    QString sheet = "QFrame#" + name + " {\nbackground-image: url(" + ResourceFolder + image + ");\n"
        + "background-repeat: " + repeat + ";\n";
    if (position)
        return sheet + "background-position: " + position + ";\nborder: 0px transparent;\n}";
    return sheet + "border: 0px transparent;\n\n}";
}

CVantoraDialog::CVantoraDialog(QWidget* parent, bool flag)
    : CVantoraDialog(parent, flag, Translucency::Probe)
{
}

CVantoraDialog::CVantoraDialog(QWidget* parent, bool flag, Translucency translucency)
    : QDialog(parent, Qt::FramelessWindowHint)
    , framelessHandler(nullptr)
    , creationFlag(flag)
{
    const HostWindow host = findHostWindow(parent);

    const bool translucent = translucency == Translucency::Probe ? CUtils::CheckOpenGLSupport()
                                                                  : translucency == Translucency::On;
    if (translucent) {
        setAttribute(Qt::WA_TranslucentBackground);
        frameExtraHeight = 51;
        frameExtraWidth = 16;
    } else {
        frameExtraHeight = 35;
        frameExtraWidth = 0;
    }

    resize(730, 599);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(sizePolicy().hasHeightForWidth());
    setSizePolicy(policy);
    setMinimumSize(100, 100);
    QIcon icon;
    icon.addFile(QStringLiteral(":/Vantora/Resources/Icons/App_icon_256x256.png"), QSize(), QIcon::Normal,
                 QIcon::Off);
    setWindowIcon(icon);
    setProperty("iconSize", QSize(24, 24));

    gridLayout = new QGridLayout(this);
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setObjectName(QStringLiteral("VDgridLayout"));

    VDaddShadowFrames(0, ShadowFrame::BeforeMainFrame);
    VDaddMainFrame(host);
    VDaddShadowFrames(ShadowFrame::BeforeMainFrame, 8);

    framelessHandler.activateOn(this);
    framelessHandler.setWidgetResizable(true);

    // The shadows stay hidden for the frame's whole life; a translucent frame
    // still keeps their room in frameExtraWidth and frameExtraHeight.
    for (const ShadowFrame& shadow : ShadowFrame::Table)
        (this->*shadow.member)->hide();

    framelessHandler.setMoveBarHeight(HeaderHeight);
    framelessHandler.setBorderWidth(HandlerBorderWidth);
}

CVantoraDialog::~CVantoraDialog() = default;

CVantoraDialog::HostWindow CVantoraDialog::findHostWindow(QObject* parent)
{
    // The nearest ancestor with either name decides.
    for (QObject* object = parent; object; object = object->parent()) {
        if (object->objectName() == QLatin1String(MainWindowName))
            return HostWindow::Main;
        if (object->objectName() == QLatin1String(PreviewWindowName)) {
            previewWindow = qobject_cast<QWidget*>(object);
            return HostWindow::Preview;
        }
    }
    return HostWindow::None;
}

void CVantoraDialog::VDaddShadowFrames(int first, int last)
{
    for (int i = first; i < last; ++i) {
        const ShadowFrame& shadow = ShadowFrame::Table[i];
        auto* frame = new QFrame(this);
        frame->setObjectName(QString::fromLatin1(shadow.objectName));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setFrameShadow(QFrame::Raised);
        const bool spansWidth = shadow.column == 1;
        const bool spansHeight = shadow.row == 1;
        frame->setMinimumSize(spansWidth ? 0 : ShadowThickness, spansHeight ? 0 : ShadowThickness);
        frame->setMaximumSize(spansWidth ? QWIDGETSIZE_MAX : ShadowThickness,
                              spansHeight ? QWIDGETSIZE_MAX : ShadowThickness);
        frame->setStyleSheet(shadow.styleSheet());
        gridLayout->addWidget(frame, shadow.row, shadow.column, 1, 1);
        this->*shadow.member = frame;
    }
}

void CVantoraDialog::VDaddMainFrame(HostWindow host)
{
    mainFrame = new QFrame(this);
    mainFrame->setObjectName(QStringLiteral("VDmainFrame"));
    mainFrame->setMinimumSize(40, 40);
    QString style = QString::fromLatin1(MainFrameStyle);
    if (host != HostWindow::Main) {
        for (const auto& replacement : GreyScheme)
            style.replace(QLatin1String(replacement.blue), QLatin1String(replacement.grey), Qt::CaseSensitive);
    }
    mainFrame->setStyleSheet(style);
    mainFrame->setFrameShape(QFrame::StyledPanel);
    mainFrame->setFrameShadow(QFrame::Raised);

    mainVerticalLayout = new QVBoxLayout(mainFrame);
    mainVerticalLayout->setSpacing(2);
    mainVerticalLayout->setContentsMargins(0, 0, 0, 0);
    mainVerticalLayout->setObjectName(QStringLiteral("VDMainVerticalLayout"));

    headerWidget = new QWidget(mainFrame);
    headerWidget->setObjectName(QStringLiteral("VDheaderWidget"));
    QSizePolicy headerPolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    headerPolicy.setHorizontalStretch(0);
    headerPolicy.setVerticalStretch(0);
    headerPolicy.setHeightForWidth(headerWidget->sizePolicy().hasHeightForWidth());
    headerWidget->setSizePolicy(headerPolicy);
    headerWidget->setMinimumSize(0, HeaderHeight);
    headerWidget->setMaximumSize(QWIDGETSIZE_MAX, HeaderHeight);
    headerWidget->setStyleSheet(QString::fromLatin1(HeaderStyle));

    headerLayout = new QHBoxLayout(headerWidget);
    headerLayout->setSpacing(6);
    headerLayout->setObjectName(QStringLiteral("VDHeaderHorizontalLayout"));
    headerLayout->setContentsMargins(10, 3, 5, 2);

    prefixLabel = new QLabel(headerWidget);
    prefixLabel->setObjectName(QStringLiteral("VDPrefixLabel"));
    prefixLabel->setStyleSheet(QStringLiteral("color:white;"));
    headerLayout->addWidget(prefixLabel);
    // Inside the host the product is obvious; elsewhere the title says whose it is.
    if (host == HostWindow::None)
        prefixLabel->setText(QString::fromLatin1(ProductPrefix) + " -");
    else
        prefixLabel->hide();

    titleLabel = new QLabel(headerWidget);
    titleLabel->setObjectName(QStringLiteral("VDtitleLabel"));
    titleLabel->setStyleSheet(QStringLiteral("color: white;"));
    headerLayout->addWidget(titleLabel);
    headerLayout->setStretch(1, 1);
    mainVerticalLayout->addWidget(headerWidget);

    contentWidget = new QWidget(mainFrame);
    contentWidget->setObjectName(QStringLiteral("VDcontentWidget"));
    contentLayout = new QVBoxLayout(contentWidget);
    contentLayout->setContentsMargins(1, 1, 1, 1);
    mainVerticalLayout->addWidget(contentWidget);
    mainVerticalLayout->setStretch(1, 1);

    gridLayout->addWidget(mainFrame, 1, 1, 1, 1);
}

void CVantoraDialog::VDaddMainWidget(QWidget* widget, bool fixedSize)
{
    const QSize form = widget->geometry().size();
    setGeometry(QRect(pos(), QSize(form.width() + frameExtraWidth, form.height() + frameExtraHeight)));

    QRect area;
    if (previewWindow && previewWindow->objectName() == QLatin1String(PreviewWindowName))
        area = previewWindow->geometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    const QRect dialog = geometry();
    // Halves truncate, so an odd leftover pixel goes to the right and bottom.
    move((area.left() + area.right()) / 2 - (dialog.right() - dialog.left()) / 2,
         (area.top() + area.bottom()) / 2 - (dialog.bottom() - dialog.top()) / 2);

    fixedHeight = form.height() + frameExtraHeight;
    setMinimumHeight(fixedHeight);
    if (fixedSize) {
        setMaximumWidth(form.width());
        setMinimumWidth(form.width());
        setMaximumHeight(fixedHeight);
        setMinimumHeight(fixedHeight);
    } else {
        setMinimumWidth(form.width() + frameExtraWidth);
    }

    updateGeometry();
    contentLayout->addWidget(widget);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    framelessHandler.setWidgetResizable(!fixedSize);
}

void CVantoraDialog::VDaddCloseButton()
{
    closeButton = AddHeaderButton(headerWidget, headerLayout, CloseButton, this);
}

void CVantoraDialog::VDaddTopButtons()
{
    addToActionListButton = AddHeaderButton(headerWidget, headerLayout, AddToActionListButton, this);
    addToCollectionsButton = AddHeaderButton(headerWidget, headerLayout, AddToCollectionsButton, this);
}

void CVantoraDialog::VDhideAddToActionListButton()
{
    if (addToActionListButton)
        addToActionListButton->hide();
}

int CVantoraDialog::exec()
{
    return QDialog::exec();
}
