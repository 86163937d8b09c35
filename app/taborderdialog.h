#pragma once
// TTabOrderDialog: the controls of a form or container in the order Tab moves through them, one
// row each. "Move Up" and "Move Down" move the current row, or rows are dragged into place; OK
// gives the new order. The workbench shows it through TWorkbenchDialogs::EditTabOrder.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

class TTabOrderDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTabOrderDialog(const QStringList &Names, QWidget *parent = nullptr);

    // The names as the list holds them now.
    QStringList Order() const;
    QListWidget *List() const { return m_list; }
    QPushButton *UpButton() const { return m_up; }
    QPushButton *DownButton() const { return m_down; }

private:
    void moveCurrent(int Step);
    void refreshButtons();

    QListWidget *m_list;
    QPushButton *m_up;
    QPushButton *m_down;
};
