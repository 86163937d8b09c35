#pragma once
// Unit IDEAboutDlg: the product's texts and bitmap, its entries on the host's splash screen and in
// the host's about box, and the unit's stop work.

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

#include "compedit.h"

class QFrame;
class QLabel;
class QPushButton;
class TBriskGradient;

namespace Ui {
class TBriskCAboutForm;
}

namespace IDEAboutDlg {

inline constexpr int MajorVersion = 8;
inline constexpr int MinorVersion = 6;

QString ProductTitle(); // "Kor-DBGrid Component"
// The design host's name, version and platform: "Kor Design Host 8.6 Linux x86_64".
QString HostEdition();
// The platform the host runs on, in parentheses: "(Linux x86_64)".
QString HostPlatform();
// The version line for a host edition text, starting with a space so that it can follow the
// title directly: " - ver. 8.6 (Linux x86_64), build 8.134".
QString VersionLine(const QString &Edition);
// The caption of the splash-screen and about-box entries: title and platform version line.
QString ProductCaption();
QString ProductDescription();
// The maker's web address and support mail address, and the maker's notice line.
QString WebAddress();
QString SupportAddress();
QString MakerNotice();
// The link the mail label opens: "mailto:", the support address, "?subject=", the title and the
// version line from its eighth character on, spaces left as they are.
QString SupportMailLink();

// The module's bitmap resource "BRISKSPLASHSIGN" (24 x 24, 8 bits per pixel), loaded anew on
// every call.
QImage ProductBitmap();
// The resource path of one of the module's bitmaps by resource name.
QString PackageBitmapPath(const QString &ResourceName);

// Adds the product to the host: demand-load state 1, the splash-screen entry when the host has
// a splash screen, the about-box entry when it has its about-box service (the index is kept).
void RegisterProduct();
// The index of the about-box entry, or -1 when none was added.
int AboutBoxIndex();

// The unit's stop work: removes the about-box entry, if one was added and the about-box service
// is still there.
void Finalization();

} // namespace IDEAboutDlg

// The About box: a fixed dialog with the product's title over a gradient in two bands, its
// version, the maker's notice, links to the maker's web site and support mail, and pictures.
class TBriskCAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TBriskCAboutForm(QWidget *parent = nullptr);
    ~TBriskCAboutForm() override;

    // Controls of the form layout, in the order of the design.
    QLabel *Image1 = nullptr;
    QLabel *Label0 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QFrame *Bevel1 = nullptr;
    QFrame *Bevel2 = nullptr;
    QPushButton *Button = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Image3 = nullptr;
    QLabel *Image4 = nullptr;
    // Paints the background; null once the form has closed.
    std::unique_ptr<TBriskGradient> Gradient;
    // Labels made by FormCreate: the author credit and the line naming the host it runs in.
    QLabel *AuthorLabel = nullptr;
    QLabel *HostLabel = nullptr;

    void FormCreate();
    void FormClose();
    void Label4Click();
    void Label5Click();
    // Shows the form modally through the host's dialogs (hostdialogs.h), which tests replace.
    int Run();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void done(int Result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TBriskCAboutForm> m_ui;
};

namespace IDEAboutDlg {

// Creates a TBriskCAboutForm and shows it modally; the form frees itself when it closes.
void ShowAboutForm();

} // namespace IDEAboutDlg

// The component editor of the editor controls, the column and the navigator: its one verb
// opens the About box; a double-click does what the host does for any component. The editors of
// the package's other components derive from it: their own verbs follow the About box after a
// separator line.
class TBriskEditor : public TDefaultEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBriskEditor(const TComponentEditorArgs &Args);
    void ExecuteVerb(int Index) final;
    QString GetVerb(int Index) final;
    int GetVerbCount() final;

protected:
    // The component's own verbs, and running one of them (Index counts from the first of them).
    virtual QStringList OwnVerbs() const;
    virtual void ExecuteOwnVerb(int Index);
};
