#pragma once
// The objects drawn freehand (irregular reflector, optical fibre) add a point
// per pointer movement into fixed 500-entry arrays; their records always
// carry the whole arrays.

constexpr int kFreehandPoints = 500;
