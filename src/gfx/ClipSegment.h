#pragma once
// Liang-Barsky clipping of the segment (x1, y1)-(x2, y2) to the closed box
// [minX, maxX] x [minY, maxY] (which may be a single row or column): false
// when they do not meet, otherwise the ends are moved onto the part inside.

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double minX, double minY,
                 double maxX, double maxY);
