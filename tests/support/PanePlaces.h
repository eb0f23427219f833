#pragma once

#include "layout/PaneLayout.h"

#include "support/ProjectNames.h"

#include <QByteArray>
#include <QByteArrayList>

// One value of a pane placement: "Control.field" ("htmlSource.width"), or
// "tabWidth1"/"tabWidth2". An unknown control throws.
double& placementValue(panes::Placement& l, const QByteArray& name);
