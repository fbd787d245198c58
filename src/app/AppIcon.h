#pragma once
// The program's icon (a ray refracted by a prism), the pictures that the
// build renders from data/desktop/veltrano-optics.svg, built in as resources.

#include <QIcon>

QIcon ApplicationIcon();
