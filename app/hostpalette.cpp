#include "hostpalette.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>

#include "db.h"
#include "registration.h"
#include "sqldata.h"

void RegisterHostComponents()
{
    SetRegisteringModule(QString());
    RegisterComponents(QStringLiteral("Data Access"),
                       {&TDataSource::staticMetaObject, &TSQLConnection::staticMetaObject,
                        &TSQLDataSet::staticMetaObject});
}

QString SampleDatabasePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/sample.sqlite");
    if (QFile::exists(path))
        return path;
    const QString connection = QStringLiteral("workbench-sample");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral(
                "CREATE TABLE Customers (CustNo INTEGER PRIMARY KEY, Company VARCHAR(40), "
                "City VARCHAR(30), State CHAR(2), Active BOOLEAN, Since DATE, Balance CURRENCY)"));
            const char *rows[][6] = {
                {"Kansas Outfitters", "Wichita", "KS", "1", "2019-04-12", "1520.50"},
                {"Prairie Supply", "Topeka", "KS", "1", "2020-09-01", "310.00"},
                {"Lakeside Goods", "Madison", "WI", "0", "2017-02-23", "0"},
                {"Harbor Traders", "Portland", "OR", "1", "2021-11-30", "9820.75"},
                {"Summit Books", "Denver", "CO", "1", "2018-06-15", "450.25"},
            };
            for (const auto &row : rows) {
                query.prepare(QStringLiteral("INSERT INTO Customers (Company, City, State, Active, "
                                             "Since, Balance) VALUES (?, ?, ?, ?, ?, ?)"));
                for (int i = 0; i < 6; ++i)
                    query.addBindValue(QString::fromUtf8(row[i]));
                query.exec();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return path;
}
