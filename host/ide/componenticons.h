#pragma once
// Pictures of component classes: the palette bitmap a package supplies for a class, and a drawn
// stand-in for classes without one, so every palette entry and every icon on the form has one.

#include <QIcon>
#include <QPixmap>

#include "korhost_export.h"

// The 24 x 24 picture of Class: its own or its nearest ancestor's palette bitmap, else a tile
// with the class's initials.
KORHOST_EXPORT QPixmap ComponentPixmap(const QMetaObject *Class);
KORHOST_EXPORT QIcon ComponentIcon(const QMetaObject *Class);
