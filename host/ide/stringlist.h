#pragma once
// TStrings: a list of lines that components publish as a sub-object (pick lists, hints).

#include <QObject>
#include <QStringList>

#include "persistent.h"

class KORHOST_EXPORT TStrings : public QObject, public TPersistent {
    Q_OBJECT
public:
    explicit TStrings(QObject *parent = nullptr);

    int Count() const { return int(m_lines.size()); }
    QString Strings(int Index) const;
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &Lines);
    // The lines joined by line breaks, each line followed by one.
    QString Text() const;
    void SetText(const QString &Text);
    void Add(const QString &Line);
    void Clear();
    int IndexOf(const QString &Line) const;
    void Assign(const TPersistent *Source) override;

signals:
    void changed();

private:
    QStringList m_lines;
};
