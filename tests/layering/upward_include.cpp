// Compiled only by the Layering.* tests, against a library of a lower layer:
// the header of a higher layer it names must not be found.
#include KORVELLE_UPWARD_HEADER
