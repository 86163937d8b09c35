#include "briskaboutform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <optional>

#include "briskgraph.h"
#include "hostdialogs.h"
#include "registration.h"
#include "services.h"
#include "shellopen.h"
#include "ui_briskcaboutform.h"

namespace {

std::optional<int> aboutBoxIndex;

IOTAAboutBoxServices *aboutBoxServices()
{
    return static_cast<IOTAAboutBoxServices *>(DesignHostServices(IID_IOTAAboutBoxServices));
}

} // namespace

// Resource initialisation must be named from the global namespace.
static void initBitmapResources()
{
    Q_INIT_RESOURCE(packagebitmaps);
}

namespace IDEAboutDlg {

QString ProductTitle()
{
    return QStringLiteral("Kor-DBGrid Component");
}

QString HostEdition()
{
    return DesignHostName() + QLatin1Char(' ') + DesignHostVersion() + QLatin1Char(' ') +
           DesignHostPlatform();
}

QString HostPlatform()
{
    return QLatin1Char('(') + DesignHostPlatform() + QLatin1Char(')');
}

QString VersionLine(const QString &Edition)
{
    return QStringLiteral(" - ver. %1.%2 %3, build 8.134")
        .arg(MajorVersion)
        .arg(MinorVersion)
        .arg(Edition);
}

QString ProductCaption()
{
    return ProductTitle() + VersionLine(HostPlatform());
}

QString ProductDescription()
{
    return QStringLiteral(
        "Kor-DBGrid Component package contains only few fundamental components designed for "
        "database developers. It is a part of the Brisk Component Collection, a family of "
        "data-aware controls for business applications.\n\n"
        "Please visit the Brisk web site for the latest versions, news and support.");
}

QString WebAddress()
{
    return QStringLiteral("http://www.brisk-components.example");
}

QString SupportAddress()
{
    return QStringLiteral("support@brisk-components.example");
}

QString MakerNotice()
{
    return QStringLiteral("Copyright \u00A9 1998-2005 Brisk Components. All rights reserved.");
}

QString SupportMailLink()
{
    return QStringLiteral("mailto:") + SupportAddress() + QStringLiteral("?subject=") +
           ProductTitle() + VersionLine(HostEdition()).mid(7);
}

QString PackageBitmapPath(const QString &ResourceName)
{
    return QStringLiteral(":/DCLKorDBGrid90/%1.bmp").arg(ResourceName);
}

QImage ProductBitmap()
{
    initBitmapResources();
    return QImage(PackageBitmapPath(QStringLiteral("BRISKSPLASHSIGN")));
}

void RegisterProduct()
{
    ForceDemandLoadState(1);
    const QString caption = ProductCaption();
    if (ISplashScreenServices *splash = SplashScreenServices())
        splash->AddPluginBitmap(caption, ProductBitmap());
    if (IOTAAboutBoxServices *about = aboutBoxServices())
        aboutBoxIndex = about->AddPluginInfo(caption, ProductDescription(), ProductBitmap());
}

int AboutBoxIndex()
{
    return aboutBoxIndex.value_or(-1);
}

void Finalization()
{
    if (!aboutBoxIndex)
        return;
    if (IOTAAboutBoxServices *about = aboutBoxServices())
        about->RemovePluginInfo(*aboutBoxIndex);
    aboutBoxIndex.reset();
}

} // namespace IDEAboutDlg

// ---- TBriskCAboutForm ----

namespace {

// The top band of the background, painted with the gradient's colours swapped.
constexpr int TopBandHeight = 109;
constexpr int ClientWidth = 431;
constexpr int ClientHeight = 268;
const QColor LinkColor(0x00, 0x00, 0xFF);
const QColor VisitedLinkColor(0x80, 0x00, 0x80);
const QColor NoticeColor(0x80, 0x80, 0x80);

void setTextColor(QLabel *Label, const QColor &Color)
{
    QPalette palette = Label->palette();
    palette.setColor(QPalette::WindowText, Color);
    Label->setPalette(palette);
}

void setFontFamily(QWidget *Widget, const QString &Family)
{
    QFont font = Widget->font();
    font.setFamily(Family);
    Widget->setFont(font);
}

// A transparent picture of Size drawn by Paint.
QPixmap drawnPicture(int Size, const std::function<void(QPainter &)> &Paint)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter);
    return pixmap;
}

QPixmap logoPicture()
{
    return drawnPicture(32, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1E, 0x3C, 0x8C));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(13);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("Kor"));
    });
}

// The three bottom pictures: a grid, an editor with its drop-down button, a navigator bar.
QPixmap gridPicture()
{
    return drawnPicture(48, [](QPainter &p) {
        p.setPen(QColor(0x40, 0x40, 0x60));
        p.setBrush(QColor(0xC8, 0xD4, 0xF0));
        p.drawRect(4, 8, 40, 8);
        p.setBrush(Qt::white);
        p.drawRect(4, 16, 40, 24);
        for (int y = 24; y < 40; y += 8)
            p.drawLine(4, y, 44, y);
        for (int x = 17; x < 44; x += 13)
            p.drawLine(x, 8, x, 40);
    });
}

QPixmap editorPicture()
{
    return drawnPicture(48, [](QPainter &p) {
        p.setPen(QColor(0x40, 0x40, 0x60));
        p.setBrush(Qt::white);
        p.drawRect(4, 16, 40, 16);
        p.setBrush(QColor(0xD4, 0xD0, 0xC8));
        p.drawRect(32, 16, 12, 16);
        p.setBrush(QColor(0x40, 0x40, 0x60));
        p.drawPolygon(QPolygonF({QPointF(35, 22), QPointF(41, 22), QPointF(38, 26)}));
        p.drawLine(8, 20, 8, 28);
    });
}

QPixmap navigatorPicture()
{
    return drawnPicture(48, [](QPainter &p) {
        p.setPen(QColor(0x40, 0x40, 0x60));
        p.setBrush(QColor(0xD4, 0xD0, 0xC8));
        p.drawRect(2, 16, 44, 16);
        p.setBrush(QColor(0x40, 0x40, 0x60));
        for (int x = 8; x < 44; x += 11) {
            const bool left = x < 24;
            p.drawPolygon(QPolygonF({QPointF(left ? x + 5 : x, 20), QPointF(left ? x + 5 : x, 28),
                                     QPointF(left ? x : x + 5, 24)}));
        }
    });
}

} // namespace

TBriskCAboutForm::TBriskCAboutForm(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TBriskCAboutForm>())
{
    m_ui->setupUi(this);
    // A fixed dialog without border icons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Image1 = m_ui->Image1;
    Label0 = m_ui->Label0;
    Label1 = m_ui->Label1;
    Label2 = m_ui->Label2;
    Label3 = m_ui->Label3;
    Label4 = m_ui->Label4;
    Label5 = m_ui->Label5;
    Bevel1 = m_ui->Bevel1;
    Bevel2 = m_ui->Bevel2;
    Button = m_ui->Button;
    Image2 = m_ui->Image2;
    Image3 = m_ui->Image3;
    Image4 = m_ui->Image4;
    Image1->setPixmap(logoPicture());
    Image2->setPixmap(gridPicture());
    Image3->setPixmap(editorPicture());
    Image4->setPixmap(navigatorPicture());
    setTextColor(Label0, Qt::white);
    setTextColor(Label1, Qt::black);
    setTextColor(Label4, LinkColor);
    setTextColor(Label5, LinkColor);
    Label4->installEventFilter(this);
    Label5->installEventFilter(this);
    FormCreate();
}

TBriskCAboutForm::~TBriskCAboutForm() = default;

void TBriskCAboutForm::FormCreate()
{
    using namespace IDEAboutDlg;
    const QString verdana = QStringLiteral("Verdana");
    setFontFamily(this, verdana);
    setFontFamily(Label4, verdana);
    setFontFamily(Label5, verdana);
    setWindowTitle(QStringLiteral("About ") + ProductTitle());
    // The logo reads "Kor"; the title goes on right of it.
    const QString title = ProductTitle().mid(3);
    Label0->setText(title);
    Label1->setText(title);
    Label2->setText(VersionLine(HostEdition()).mid(3));
    Label3->setText(MakerNotice());
    Label4->setText(WebAddress());
    Label5->setText(SupportAddress());
    Image1->move(Image1->x(), Image1->y() - 2);
    for (QLabel *label : {Label0, Label1}) {
        QFont font = label->font();
        font.setPointSize(20);
        label->setFont(font);
    }

    // The title takes the width its font needs (a substituted font may be wider).
    for (QLabel *label : {Label0, Label1})
        label->resize(label->sizeHint().width(), label->height());

    AuthorLabel = new QLabel(QStringLiteral("by the Brisk team"), this);
    AuthorLabel->setObjectName(QStringLiteral("AuthorLabel"));
    AuthorLabel->setFont(QFont(QStringLiteral("Comic Sans MS"), 8));
    AuthorLabel->setAlignment(Qt::AlignCenter);
    AuthorLabel->setWordWrap(true);
    const int authorLeft = Label0->geometry().right() + 6;
    AuthorLabel->setGeometry(authorLeft, Label1->y(), ClientWidth - 8 - authorLeft,
                             Label1->height());
    HostLabel = new QLabel(QStringLiteral("Running in %1 %2 on %3, with Qt %4.")
                               .arg(DesignHostName(), DesignHostVersion(), DesignHostPlatform(),
                                    QString::fromLatin1(qVersion())),
                           this);
    HostLabel->setObjectName(QStringLiteral("HostLabel"));
    HostLabel->setFont(QFont(QStringLiteral("Arial"), 7));
    setTextColor(HostLabel, NoticeColor);
    HostLabel->setWordWrap(true);
    HostLabel->setAlignment(Qt::AlignCenter);
    HostLabel->setGeometry(12, 226, 407, 36);
    HostLabel->setFixedSize(407, 36);

    // Transparent labels let the gradient show through.
    for (QLabel *label : findChildren<QLabel *>())
        label->setAutoFillBackground(false);

    Gradient = std::make_unique<TBriskGradient>(this);
    Gradient->setStartColor(clWhite);
    Gradient->setEndColor(0x00F0DCC4); // a light blue
    Gradient->setActive(true);

    setFixedSize(ClientWidth, ClientHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TBriskCAboutForm::FormClose()
{
    Gradient.reset();
}

void TBriskCAboutForm::Label4Click()
{
    // A link that fails to open is not reported; it still shows as visited.
    ShellOpen(IDEAboutDlg::WebAddress());
    setTextColor(Label4, VisitedLinkColor);
}

void TBriskCAboutForm::Label5Click()
{
    ShellOpen(IDEAboutDlg::SupportMailLink());
    setTextColor(Label5, VisitedLinkColor);
}

int TBriskCAboutForm::Run()
{
    return HostDialogs().ExecuteDialog(*this);
}

void TBriskCAboutForm::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!Gradient || !Gradient->IsActive())
        return;
    QPainter painter(this);
    const QRect client = rect();
    const QRect top(0, 0, client.width(), TopBandHeight);
    QLinearGradient swapped(top.topLeft(),
                            Gradient->Direction() ? top.bottomLeft() : top.topRight());
    swapped.setColorAt(0, Gradient->UsedEndColor());
    swapped.setColorAt(1, Gradient->UsedStartColor());
    painter.fillRect(top, swapped);
    Gradient->Paint(painter,
                    QRect(0, TopBandHeight, client.width(), client.height() - TopBandHeight));
}

void TBriskCAboutForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TBriskCAboutForm::done(int Result)
{
    QDialog::done(Result);
    FormClose();
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

bool TBriskCAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label4) {
            Label4Click();
            return true;
        }
        if (watched == Label5) {
            Label5Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void IDEAboutDlg::ShowAboutForm()
{
    auto *form = new TBriskCAboutForm(nullptr);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Run();
}

// ---- TBriskEditor ----

TBriskEditor::TBriskEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}

// Verb 0 is the About box, 1 the separator line in front of the own verbs.
void TBriskEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        IDEAboutDlg::ShowAboutForm();
    else if (Index >= 2 && Index < GetVerbCount())
        ExecuteOwnVerb(Index - 2);
}

QString TBriskEditor::GetVerb(int Index)
{
    if (Index == 0)
        return IDEAboutDlg::ProductTitle();
    const QStringList own = OwnVerbs();
    if (own.isEmpty())
        return {};
    return Index == 1 ? QStringLiteral("-") : own.value(Index - 2);
}

int TBriskEditor::GetVerbCount()
{
    const qsizetype own = OwnVerbs().size();
    return own == 0 ? 1 : int(2 + own);
}

QStringList TBriskEditor::OwnVerbs() const
{
    return {};
}

void TBriskEditor::ExecuteOwnVerb(int) {}
