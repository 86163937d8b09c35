#pragma once
// TKorStringEditor: the modal dialog in which hints, captions and headers are edited with a
// memo. In plain mode the memo holds the whole value; in header mode the value is a list of
// rows separated by "|" and the memo shows one row at a time, with buttons to move between rows
// and to delete one. Line breaks inside a value are single CR characters.
//
// Every modal run (the dialog itself and its file dialogs) goes through the host's dialogs
// (hostdialogs.h), which tests replace so that nothing waits for a person.

#include <QDialog>
#include <QPointer>
#include <memory>

class QFileDialog;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace Ui {
class TKorStringEditor;
}

class TKorStringEditor : public QDialog {
    Q_OBJECT
public:
    TKorStringEditor(bool AHeaderMode, const QString &Text, QWidget *Parent = nullptr);
    ~TKorStringEditor() override;

    // Controls of the form layout.
    QFrame *Panel = nullptr;
    QLabel *LinesLabel = nullptr;
    QLabel *RowNoLabel = nullptr;
    QPlainTextEdit *Memo = nullptr;
    QPushButton *PriorButton = nullptr;
    QPushButton *NextButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QMenu *PopupMenu = nullptr;
    QAction *LoadMenuItem = nullptr;
    QAction *SaveMenuItem = nullptr;
    QFileDialog *OpenDialog = nullptr;
    QFileDialog *SaveDialog = nullptr;

    const bool HeaderMode;
    int RowIndex = 0;
    QString HeaderText;

    // The edited value: the memo's text (plain mode) or the header with the current row stored.
    QString GetText();
    void SetText(const QString &Value);
    int GetRowCount() const;
    QString GetRows(int Index) const;
    void SetRows(int Index, const QString &Value);
    // Stores the memo into the current row and shows row Index (clamped to 0 .. GetRowCount;
    // the index one past the last row shows an empty memo for a new row).
    void SetRowIndex(int Index);

    // The memo's text as the host's memo holds it: lines separated by CR LF.
    QString MemoText() const;
    // Shows Text (lines separated by CR, LF or CR LF) in the memo.
    void SetMemoText(const QString &Text);

    // Event handlers.
    void MemoChange();
    // Escape cancels, Ctrl+Enter confirms; answers whether the key was handled.
    bool MemoKeyDown(int Key, Qt::KeyboardModifiers Shift);
    // Whether a typed text reaches the memo: "|" does not in header mode.
    bool MemoKeyPress(const QString &Text) const;
    void PriorClick();
    void NextClick();
    void DeleteClick();
    // Replace the memo's lines by a text file's, and write the memo to a text file (8-bit
    // text); a file that cannot be read or written raises EHostError and changes nothing.
    void LoadClick();
    void SaveClick();
    void LoadFromFile(const QString &FileName);
    void SaveToFile(const QString &FileName) const;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    std::unique_ptr<Ui::TKorStringEditor> m_ui;
    QString m_lastFile; // the file last loaded or saved, where the Save dialog starts
};
