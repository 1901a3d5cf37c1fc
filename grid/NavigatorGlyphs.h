#pragma once
// The pictures of the record navigator's buttons.

#include <QIcon>

enum class NavigatorButton { First, Prior, Next, Last, Insert, Delete, Cancel };

QIcon navigatorGlyph(NavigatorButton button);
