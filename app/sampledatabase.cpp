#include "sampledatabase.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include "hosterrors.h"

namespace {

// A fixed xorshift sequence: the same numbers on every machine and library (the standard
// distributions are not specified bit for bit, so they are not used).
class TSampleRandom {
public:
    explicit TSampleRandom(quint32 Seed) : m_state(Seed) {}
    quint32 Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int N) { return int(Next() % quint32(N)); }
    int Between(int Low, int High) { return Low + Below(High - Low + 1); }
    // True in Percent cases out of a hundred.
    bool Chance(int Percent) { return Below(100) < Percent; }

private:
    quint32 m_state;
};

const char *const kSchema[] = {
    "CREATE TABLE Customers (CustNo INTEGER PRIMARY KEY, Company VARCHAR(40), "
    "Contact VARCHAR(30), City VARCHAR(30), State CHAR(2), Phone VARCHAR(16), Active BOOLEAN, "
    "Since DATE, Balance CURRENCY)",
    "CREATE TABLE Products (ProdNo INTEGER PRIMARY KEY, Name VARCHAR(40), Category VARCHAR(16), "
    "Price CURRENCY, InStock INTEGER, Discontinued BOOLEAN)",
    "CREATE TABLE Orders (OrderNo INTEGER PRIMARY KEY, CustNo INTEGER REFERENCES Customers, "
    "OrderDate DATE, ShipDate DATE, Status VARCHAR(10), Payment VARCHAR(12), Total CURRENCY)",
    "CREATE TABLE OrderLines (OrderNo INTEGER REFERENCES Orders, LineNo INTEGER, "
    "ProdNo INTEGER REFERENCES Products, Quantity INTEGER, UnitPrice CURRENCY, Discount FLOAT, "
    "PRIMARY KEY (OrderNo, LineNo))",
};

const char *const kCompanyWords[] = {
    "Kansas",  "Prairie",  "Lakeside",  "Harbor",   "Summit",  "Cedar",        "Bluewater",
    "Granite", "Maple",    "Copper",    "Redwood",  "Pioneer", "Riverbend",    "Oak Hill",
    "Sunrise", "Frontier", "Evergreen", "Highland", "Aspen",   "Silver Creek",
};
const char *const kCompanyKinds[] = {
    "Outfitters", "Supply", "Goods",  "Traders",  "Outdoors",
    "Provisions", "Market", "Sports", "Gear Co.", "Trading Post",
};
const char *const kFirstNames[] = {
    "Anna",  "Ben",  "Carla", "David",  "Elena", "Frank",  "Grace", "Henry", "Iris",
    "James", "Kara", "Leo",   "Maya",   "Noah",  "Olivia", "Paul",  "Quinn", "Rosa",
    "Sam",   "Tara", "Uma",   "Victor", "Wendy", "Xavier", "Yara",  "Zack",
};
const char *const kLastNames[] = {
    "Anderson", "Brooks", "Carter", "Diaz",   "Ellis",  "Foster", "Garcia",
    "Hughes",   "Irwin",  "Jensen", "Keller", "Larsen", "Morgan", "Nolan",
    "Ortiz",    "Patel",  "Reyes",  "Stone",  "Turner", "Walsh",
};

struct TCity {
    const char *Name;
    const char *State;
    int AreaCode;
};
const TCity kCities[] = {
    {"Wichita", "KS", 316},        {"Topeka", "KS", 785},      {"Madison", "WI", 608},
    {"Portland", "OR", 503},       {"Denver", "CO", 303},      {"Boise", "ID", 208},
    {"Omaha", "NE", 402},          {"Tulsa", "OK", 918},       {"Spokane", "WA", 509},
    {"Reno", "NV", 775},           {"Albuquerque", "NM", 505}, {"Fargo", "ND", 701},
    {"Des Moines", "IA", 515},     {"Duluth", "MN", 218},      {"Missoula", "MT", 406},
    {"Salt Lake City", "UT", 801}, {"Sioux Falls", "SD", 605}, {"Flagstaff", "AZ", 928},
    {"Eugene", "OR", 541},         {"Green Bay", "WI", 920},   {"Springfield", "MO", 417},
};

struct TProduct {
    const char *Name;
    const char *Category;
    int PriceCents;
};
const TProduct kProducts[] = {
    {"Trail Pack 28 L", "Packs", 8900},
    {"Summit Pack 45 L", "Packs", 15900},
    {"Hydration Pack 12 L", "Packs", 6450},
    {"Duffel Bag 60 L", "Packs", 7995},
    {"Dome Tent, 2 Person", "Shelter", 21900},
    {"Backpacking Tent, 1 Person", "Shelter", 28900},
    {"Family Tent, 6 Person", "Shelter", 42900},
    {"Tarp 3 x 3 m", "Shelter", 4995},
    {"Down Sleeping Bag", "Sleep", 32900},
    {"Synthetic Sleeping Bag", "Sleep", 11900},
    {"Self-Inflating Sleeping Pad", "Sleep", 7495},
    {"Camp Pillow", "Sleep", 2450},
    {"Canister Stove", "Cooking", 5495},
    {"Titanium Pot 750 ml", "Cooking", 4400},
    {"Cook Set, 4 Piece", "Cooking", 6900},
    {"Fuel Canister 230 g", "Cooking", 795},
    {"Titanium Spork", "Cooking", 350},
    {"Hiking Boots, Mid", "Footwear", 17900},
    {"Trail Runners", "Footwear", 13900},
    {"Camp Sandals", "Footwear", 4900},
    {"Wool Hiking Socks", "Footwear", 2195},
    {"Rain Jacket", "Clothing", 14900},
    {"Fleece Pullover", "Clothing", 6995},
    {"Insulated Jacket", "Clothing", 19900},
    {"Sun Hat", "Clothing", 2995},
    {"Merino Base Layer", "Clothing", 8400},
    {"Headlamp 350 lm", "Lighting", 3995},
    {"Camp Lantern", "Lighting", 3450},
    {"Spare Batteries, 4 Pack", "Lighting", 899},
    {"Water Filter", "Water", 4495},
    {"Insulated Bottle 1 L", "Water", 3200},
    {"Collapsible Bucket", "Water", 1850},
    {"Baseplate Compass", "Navigation", 2695},
    {"Trail Map Set", "Navigation", 1400},
    {"GPS Watch", "Navigation", 24900},
    {"Trekking Poles, Pair", "Accessories", 9900},
    {"First Aid Kit", "Accessories", 3650},
    {"Multi-Tool", "Accessories", 5900},
    {"Dry Bag 20 L", "Accessories", 2295},
    {"Repair Kit", "Accessories", 1295},
};

const char *const kPayments[] = {"Credit card", "Credit card", "Invoice",
                                 "Invoice",     "Check",       "Cash"};

constexpr int CustomerCount = 60;
constexpr int OrderCount = 200;
constexpr int FirstOrderNo = 5001;

template <class T, std::size_t N> constexpr int count(const T (&)[N])
{
    return int(N);
}

QVariant money(qint64 Cents)
{
    return double(Cents) / 100.0;
}

// Runs a prepared statement with its values; raises EHostError with the driver's message.
void exec(QSqlQuery &Query, const QVariantList &Values)
{
    for (int i = 0; i < Values.size(); ++i)
        Query.bindValue(i, Values.at(i));
    if (!Query.exec())
        throw EHostError(Query.lastError().text());
}

void fill(QSqlDatabase &Db)
{
    TSampleRandom random(20240611u);
    QSqlQuery query(Db);
    for (const char *statement : kSchema)
        if (!query.exec(QString::fromLatin1(statement)))
            throw EHostError(query.lastError().text());

    QSqlQuery product(Db);
    product.prepare(QStringLiteral("INSERT INTO Products VALUES (?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < count(kProducts); ++i) {
        const TProduct &p = kProducts[i];
        exec(product, {1001 + i, QString::fromUtf8(p.Name), QString::fromUtf8(p.Category),
                       money(p.PriceCents), random.Between(0, 240), random.Chance(8)});
    }

    // Orders first, so each customer's balance (open and invoiced orders) is known.
    struct TOrder {
        int CustNo;
        QDate OrderDate;
        QString Status;
        QString Payment;
        QList<QVariantList> Lines;
        qint64 TotalCents = 0;
    };
    QList<TOrder> orders;
    QDate date(2023, 1, 3);
    const QDate lastDate = QDate(2023, 1, 3).addDays(2 * OrderCount);
    QList<qint64> balances(CustomerCount + 1, 0);
    for (int i = 0; i < OrderCount; ++i) {
        date = date.addDays(random.Between(0, 4));
        TOrder order;
        order.CustNo = 1 + random.Below(CustomerCount);
        order.OrderDate = date;
        order.Status = date.daysTo(lastDate) < 20 ? QStringLiteral("Open")
                       : random.Chance(6)         ? QStringLiteral("Cancelled")
                                                  : QStringLiteral("Shipped");
        order.Payment = QString::fromLatin1(kPayments[random.Below(count(kPayments))]);
        QSet<int> products;
        const int lines = random.Between(1, 4);
        for (int line = 1; line <= lines; ++line) {
            int index = random.Below(count(kProducts));
            while (products.contains(index))
                index = (index + 1) % count(kProducts);
            products.insert(index);
            const int cents = kProducts[index].PriceCents;
            const int quantity = random.Between(1, cents < 2000 ? 12 : 4);
            const int discount = random.Chance(15) ? (random.Chance(50) ? 5 : 10) : 0;
            order.TotalCents += (qint64(quantity) * cents * (100 - discount) + 50) / 100;
            order.Lines.append(
                {FirstOrderNo + i, line, 1001 + index, quantity, money(cents), discount / 100.0});
        }
        if (order.Status == QLatin1String("Open") ||
            (order.Payment == QLatin1String("Invoice") &&
             order.Status != QLatin1String("Cancelled") && date.daysTo(lastDate) < 60))
            balances[order.CustNo] += order.TotalCents;
        orders.append(order);
    }

    QSqlQuery customer(Db);
    customer.prepare(QStringLiteral("INSERT INTO Customers VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSet<QString> companies;
    for (int no = 1; no <= CustomerCount; ++no) {
        QString company;
        do {
            company = QStringLiteral("%1 %2").arg(
                QString::fromUtf8(kCompanyWords[random.Below(count(kCompanyWords))]),
                QString::fromUtf8(kCompanyKinds[random.Below(count(kCompanyKinds))]));
        } while (companies.contains(company));
        companies.insert(company);
        const QString contact = QStringLiteral("%1 %2").arg(
            QString::fromUtf8(kFirstNames[random.Below(count(kFirstNames))]),
            QString::fromUtf8(kLastNames[random.Below(count(kLastNames))]));
        const TCity &city = kCities[random.Below(count(kCities))];
        // 555-01xx numbers are reserved for fiction.
        const QString phone = QStringLiteral("(%1) 555-01%2")
                                  .arg(city.AreaCode)
                                  .arg(random.Below(100), 2, 10, QLatin1Char('0'));
        const QDate since = QDate(2012, 1, 1).addDays(random.Below(11 * 365));
        // Some customers with nothing open are no longer served.
        const bool active = balances[no] > 0 || !random.Chance(15);
        exec(customer,
             {no, company, contact, QString::fromUtf8(city.Name), QString::fromLatin1(city.State),
              phone, active, since.toString(Qt::ISODate), money(balances[no])});
    }

    QSqlQuery order(Db);
    order.prepare(QStringLiteral("INSERT INTO Orders VALUES (?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery line(Db);
    line.prepare(QStringLiteral("INSERT INTO OrderLines VALUES (?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < orders.size(); ++i) {
        const TOrder &o = orders.at(i);
        const QVariant shipped =
            o.Status == QLatin1String("Shipped")
                ? QVariant(o.OrderDate.addDays(random.Between(1, 5)).toString(Qt::ISODate))
                : QVariant();
        exec(order, {FirstOrderNo + i, o.CustNo, o.OrderDate.toString(Qt::ISODate), shipped,
                     o.Status, o.Payment, money(o.TotalCents)});
        for (const QVariantList &values : o.Lines)
            exec(line, values);
    }
}

} // namespace

QString WorkbenchDataDirectory()
{
    const QString configured = qEnvironmentVariable("KOR_DATA_DIR");
    return configured.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                : configured;
}

void CreateSampleDatabase(const QString &FileName)
{
    // Written under a scratch name and renamed when complete, so an interrupted run never
    // leaves a half-filled database that a later start would take as finished.
    const QString scratch = FileName + QStringLiteral(".new");
    QFile::remove(scratch);
    const QString connection = QStringLiteral("workbench-sample-%1").arg(quintptr(&FileName));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(scratch);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            db.transaction();
            try {
                fill(db);
                if (!db.commit())
                    error = db.lastError().text();
            } catch (const EHostError &e) {
                db.rollback();
                error = e.Message();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (error.isEmpty() && QFile::exists(FileName) && !QFile::remove(FileName))
        error = QStringLiteral("the old file cannot be replaced");
    if (error.isEmpty() && !QFile::rename(scratch, FileName))
        error = QStringLiteral("the file cannot be renamed");
    if (!error.isEmpty()) {
        QFile::remove(scratch);
        throw EHostError(
            QStringLiteral("Cannot create the sample database %1: %2").arg(FileName, error));
    }
}

QString SampleDatabasePath()
{
    const QString folder = WorkbenchDataDirectory();
    if (!QDir().mkpath(folder))
        throw EHostError(QStringLiteral("Cannot create the data folder %1").arg(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("sample.sqlite"));
    if (!QFile::exists(path))
        CreateSampleDatabase(path);
    return path;
}
