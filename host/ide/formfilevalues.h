#pragma once
// Property values in form files: how each published property is kept in the text (its shape)
// and how scalar values are written, checked and read back. Used by formfile.cpp only.

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <optional>

#include "typinfo.h"

class TStrings;

namespace FormFileValues {

// How a published property is kept in the text.
enum class Shape { Skip, Scalar, Reference, Strings, Collection, Object };

// Skip: not kept (a component's Name, read-only values, kinds the text has no form for).
Shape shapeOf(const QObject *Instance, PPropInfo Info);
// Stored only while a method of the object says so (typically: while it was assigned).
bool hasStoredMethod(PPropInfo Info);
// Properties that start something (opening a data set, connecting): they are set last, once
// every other property and reference of every component is in place.
bool isActivation(PPropInfo Info);
// The value of Key in Object, matched without regard to case; undefined when there is none.
QJsonValue valueNoCase(const QJsonObject &Object, const QString &Key);

QJsonValue encodeOrdinal(PPropInfo Info, qint32 Value);
std::optional<qint32> wholeNumber(const QJsonValue &Value);
// The ordinal that Value stands for; empty with Why set when it stands for none.
std::optional<qint32> decodeOrdinal(PPropInfo Info, const QJsonValue &Value, QString &Why);
QJsonValue encodeScalar(const QObject *Instance, PPropInfo Info);
// Why Value cannot be the value of a scalar property; empty when it can.
QString checkScalar(PPropInfo Info, const QJsonValue &Value);
// Raises EConvertError (or the setter's error) when the value cannot be set.
void setScalar(QObject *Instance, PPropInfo Info, const QJsonValue &Value);
QJsonArray encodeLines(const TStrings *Strings);

} // namespace FormFileValues
