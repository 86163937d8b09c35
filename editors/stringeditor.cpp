#include "stringeditor.h"

#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "headerrows.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "linecaptions.h"
#include "ui_korstringeditor.h"

namespace {

const QString CR = QStringLiteral("\r");
const QString CRLF = QStringLiteral("\r\n");

// Runs Handler and reports what it raises, so a failing command never leaves the event loop.
template <class F> void guarded(F Handler)
{
    try {
        Handler();
    } catch (...) {
        HandleHostException();
    }
}

QFileDialog *makeFileDialog(QWidget *Parent, const QString &Title, QFileDialog::AcceptMode Mode)
{
    auto *dialog = new QFileDialog(Parent, Title);
    dialog->setAcceptMode(Mode);
    dialog->setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    // A file opened is the file picked; only a saved name without a suffix gets ".txt".
    if (Mode == QFileDialog::AcceptSave)
        dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
    return dialog;
}

} // namespace

TKorStringEditor::TKorStringEditor(bool AHeaderMode, const QString &Text, QWidget *Parent)
    : QDialog(Parent), HeaderMode(AHeaderMode), m_ui(std::make_unique<Ui::TKorStringEditor>())
{
    m_ui->setupUi(this);
    Panel = m_ui->Panel;
    LinesLabel = m_ui->LinesLabel;
    RowNoLabel = m_ui->RowNoLabel;
    Memo = m_ui->Memo;
    PriorButton = m_ui->PriorButton;
    NextButton = m_ui->NextButton;
    DeleteButton = m_ui->DeleteButton;
    OKButton = m_ui->OKButton;
    CancelButton = m_ui->CancelButton;
    LoadMenuItem = m_ui->LoadMenuItem;
    SaveMenuItem = m_ui->SaveMenuItem;
    setFixedSize(size());

    // The form's pop-up menu, offered on the form and below the memo's own commands.
    PopupMenu = new QMenu(this);
    PopupMenu->addAction(LoadMenuItem);
    PopupMenu->addAction(SaveMenuItem);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &Pos) { PopupMenu->exec(mapToGlobal(Pos)); });
    Memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo, &QWidget::customContextMenuRequested, this, [this](const QPoint &Pos) {
        std::unique_ptr<QMenu> menu(Memo->createStandardContextMenu(Pos));
        menu->addSeparator();
        menu->addActions(PopupMenu->actions());
        menu->exec(Memo->mapToGlobal(Pos));
    });
    connect(LoadMenuItem, &QAction::triggered, this, [this] { guarded([this] { LoadClick(); }); });
    connect(SaveMenuItem, &QAction::triggered, this, [this] { guarded([this] { SaveClick(); }); });

    OpenDialog = makeFileDialog(this, QStringLiteral("Load text"), QFileDialog::AcceptOpen);
    SaveDialog = makeFileDialog(this, QStringLiteral("Save text"), QFileDialog::AcceptSave);

    connect(Memo, &QPlainTextEdit::textChanged, this, &TKorStringEditor::MemoChange);
    Memo->installEventFilter(this);
    connect(PriorButton, &QPushButton::clicked, this, &TKorStringEditor::PriorClick);
    connect(NextButton, &QPushButton::clicked, this, &TKorStringEditor::NextClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TKorStringEditor::DeleteClick);

    if (HeaderMode) {
        setWindowTitle(QStringLiteral("Header editor"));
        for (QWidget *control :
             {static_cast<QWidget *>(RowNoLabel), static_cast<QWidget *>(PriorButton),
              static_cast<QWidget *>(NextButton), static_cast<QWidget *>(DeleteButton)})
            control->setVisible(true);
    }
    SetText(Text);
    MemoChange();
}

TKorStringEditor::~TKorStringEditor() = default;

QString TKorStringEditor::MemoText() const
{
    // The document's raw text, because its plain text turns non-breaking spaces into spaces.
    QString text = Memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
        .replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), CRLF);
}

void TKorStringEditor::SetMemoText(const QString &Text)
{
    QString text = Text;
    text.replace(CRLF, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Memo->setPlainText(text);
}

QString TKorStringEditor::GetText()
{
    if (!HeaderMode)
        return MemoText().replace(CRLF, CR);
    SetRowIndex(RowIndex);
    return HeaderText;
}

void TKorStringEditor::SetText(const QString &Value)
{
    if (!HeaderMode) {
        SetMemoText(Value);
        return;
    }
    HeaderText = Value;
    SetMemoText(GetRows(0));
    SetRowIndex(0);
}

int TKorStringEditor::GetRowCount() const
{
    return KorHeaderRows::RowCount(HeaderText);
}

QString TKorStringEditor::GetRows(int Index) const
{
    return KorHeaderRows::Row(HeaderText, Index);
}

void TKorStringEditor::SetRows(int Index, const QString &Value)
{
    KorHeaderRows::SetRow(HeaderText, Index, Value);
}

void TKorStringEditor::SetRowIndex(int Index)
{
    SetRows(RowIndex, MemoText().replace(CRLF, CR));
    RowIndex = qBound(0, Index, GetRowCount());
    SetMemoText(GetRows(RowIndex));
    RowNoLabel->setText(QStringLiteral("Row No. %1").arg(RowIndex));
}

void TKorStringEditor::MemoChange()
{
    // The memo's own count does not count an empty last line; a text ending in a line break
    // has started one more.
    const QString text = Memo->toPlainText();
    int count = 0;
    if (!text.isEmpty()) {
        count = Memo->document()->blockCount();
        if (Memo->document()->lastBlock().text().isEmpty())
            --count;
        if (text.endsWith(QLatin1Char('\n')))
            ++count;
    }
    const auto &captions = IDELinesDlg::LineCaptions();
    LinesLabel->setText(QStringLiteral("%1 %2").arg(count).arg(captions[count == 1 ? 1 : 0]));
}

bool TKorStringEditor::MemoKeyDown(int Key, Qt::KeyboardModifiers Shift)
{
    if (Key == Qt::Key_Escape) {
        CancelButton->click();
        return true;
    }
    if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) &&
        (Shift & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        OKButton->click();
        return true;
    }
    return false;
}

bool TKorStringEditor::MemoKeyPress(const QString &Text) const
{
    return !(HeaderMode && Text.contains(KorHeaderRows::Separator));
}

bool TKorStringEditor::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == Memo && Event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(Event);
        if (MemoKeyDown(key->key(), key->modifiers()))
            return true;
        if (!MemoKeyPress(key->text()))
            return true; // the separator cannot be typed into a row
    }
    return QDialog::eventFilter(Watched, Event);
}

void TKorStringEditor::PriorClick()
{
    SetRowIndex(RowIndex - 1);
}

void TKorStringEditor::NextClick()
{
    SetRowIndex(RowIndex + 1);
}

void TKorStringEditor::DeleteClick()
{
    Memo->setPlainText(KorHeaderRows::DeletionMarker);
    SetRowIndex(RowIndex);
}

void TKorStringEditor::LoadClick()
{
    if (HostDialogs().ExecuteDialog(*OpenDialog) != QDialog::Accepted)
        return;
    const QString file = OpenDialog->selectedFiles().value(0);
    if (!file.isEmpty())
        LoadFromFile(file);
}

void TKorStringEditor::SaveClick()
{
    // Saving starts from the file last loaded or saved, not from one picked in a cancelled Open.
    if (!m_lastFile.isEmpty())
        SaveDialog->selectFile(m_lastFile);
    if (HostDialogs().ExecuteDialog(*SaveDialog) != QDialog::Accepted)
        return;
    const QString file = SaveDialog->selectedFiles().value(0);
    if (file.isEmpty())
        return;
    SaveToFile(file);
    m_lastFile = file;
}

void TKorStringEditor::LoadFromFile(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EHostError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EHostError(
            QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, file.errorString()));
    // CR, LF and CR LF each end a line; a break at the very end starts no further line.
    QString text = QString::fromLatin1(bytes);
    text.replace(CRLF, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    Memo->setPlainText(text);
    m_lastFile = FileName;
}

void TKorStringEditor::SaveToFile(const QString &FileName) const
{
    QFile file(FileName);
    const QByteArray bytes = MemoText().toLatin1();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw EHostError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, file.errorString()));
}
