#pragma once
// The catalogue of ready-made display formats for the grid's totals (TKorColumnTotal.Format) and
// pick lists (PickTextFormat), and the lists built from it for its two consumers:
//
// - the Object Inspector editors, whose entries carry the format and a live example: NBSP, the
//   format, a run of spaces, NBSP, the label (group separators: NBSP "----- " NBSP name NBSP
//   " -----"); SetValue turns a chosen entry back into the format with ExtractStoredFormat;
// - the grid designer's combo boxes, which list the bare formats and their own separator texts.
//
// Which groups are offered depends on a sample of the value being formatted
// (TotalFormatSampleValue): an empty sample offers every group.

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

class QObject;

// Separates the stored format from its label in an Object Inspector entry.
inline constexpr QChar NBSP = QChar(0x00A0);

enum class TFormatGroup { Boolean, DateTime, Ordinal, Float, String };
enum class TFormatListUse { ObjectInspector, Designer };

// Whether Group is offered for SampleValue. The designer offers DateTime for dates only, the
// Object Inspector also for SQL time stamps.
bool IsFormatGroupOffered(TFormatGroup Group, const QVariant &SampleValue, TFormatListUse Use);

// The Object Inspector's total-format entries; date and time examples show Now in the current
// locale.
QStringList TotalFormatEntries(const QVariant &SampleValue,
                               const QDateTime &Now = QDateTime::currentDateTime());
// The designer's plain total-format list: bare formats and separator texts.
QStringList TotalFormatPlainValues(const QVariant &SampleValue);
// The eight pick-text formats: as Object Inspector entries with examples, and bare.
QStringList PickTextFormatEntries();
QStringList PickTextFormatPlainValues();

// The format an Object Inspector entry (or typed text) stands for: text without NBSP is kept;
// a chosen separator gives the empty format.
QString ExtractStoredFormat(const QString &Value);
// What the designer stores for a chosen or typed text: nothing for a separator (a text whose
// first five characters are "-----"), else the text unchanged.
std::optional<QString> DesignerFormatToStore(const QString &Text);

// ---- The sample value ----
// A total value as the format lists see it.
struct TTotalValueSample {
    bool IsTotalValue = false;
    bool Currency = false; // the currency flag
    QVariant Value;        // the current value
};
using TTotalValueReader = std::function<TTotalValueSample(const QObject *Object)>;

// The default reader: an object whose class (or a base class) is named TKorColumnTotalValue,
// its Boolean property TotalValueCurrencyProp and its variant property TotalValueValueProp.
inline constexpr const char *TotalValueClassName = "TKorColumnTotalValue";
inline constexpr const char *TotalValueCurrencyProp = "IsCurrency";
inline constexpr const char *TotalValueValueProp = "Value";
TTotalValueSample ReadTotalValueByName(const QObject *Object);
// Replaces the reader; an empty function restores ReadTotalValueByName.
void SetTotalValueReader(TTotalValueReader Reader);

// Empty when EditedObject is not a total value; the currency amount 1 when its currency flag is
// set; otherwise a copy of its current value.
QVariant TotalFormatSampleValue(const QObject *EditedObject);
