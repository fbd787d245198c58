#pragma once
// How much of unpolarised light a face between two media reflects.

// The mean of the s and p reflectances for light meeting the face from
// index n1 into index n2 at `incidence` degrees from the normal; 1 at and
// beyond the critical angle (all of it reflects).
double FresnelReflectance(double n1, double n2, double incidence);
