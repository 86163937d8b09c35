#pragma once
// The run-time library's text formatting: Format with its specifiers, FloatToStrF, and
// FormatDateTime with its date/time patterns. Separators, currency format and day and month names
// come from the current locale (QLocale(), which QLocale::setDefault changes).
//
// Format(Fmt, Args) specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, and "%%".
//   d  decimal integer; precision = minimum digits, padded with zeros
//   u  unsigned integer (negative 32-bit values read as their unsigned bits)
//   x  hexadecimal integer, upper case; precision as for d
//   e  scientific "-d.dddE+ddd"; precision = significant digits (default 15)
//   f  fixed "-ddd.ddd"; precision = decimals (default 2)
//   g  shortest of fixed and scientific; precision = significant digits (default 15)
//   n  like f with thousand separators
//   m  money in the locale's currency format; precision = decimals (default: the locale's)
//   s  string; precision = maximum characters
// The index picks the argument (0 first); the next specifier without an index takes the one after
// it. The width pads with spaces on the left, or on the right after "-". Integer specifiers take
// integer arguments, float specifiers take double, float, Currency or TBcd, "s" takes strings and
// characters; anything else raises EConvertError, and so does a missing argument or a broken
// specifier.

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include "korhost_export.h"

KORHOST_EXPORT QString Format(const QString &Fmt, const QVariantList &Args);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Precision: significant digits (at most 17). Digits: for ffGeneral and ffExponent the minimum
// number of exponent digits (0 to 4); for ffFixed, ffNumber and ffCurrency the decimals (0 to 18).
KORHOST_EXPORT QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);

// Pattern letters (case-insensitive):
//   c       short date, then the long time unless the time is midnight
//   d dd    day;  ddd dddd  short and long day name;  ddddd dddddd  short and long date
//   m mm    month (minutes right after an hour);  mmm mmmm  short and long month name
//   yy yyyy two- and four-digit year
//   h hh    hour (12-hour clock when an am/pm specifier follows);  n nn  minute;  s ss  second
//   z zzz   millisecond;  t tt  short and long time
//   am/pm a/p  the marker in the case written;  ampm  the locale's marker
//   /  :    the locale's date and time separators;  '...' "..."  literal text
// An empty pattern formats as "c".
KORHOST_EXPORT QString FormatDateTime(const QString &Pattern, const QDateTime &DateTime);
