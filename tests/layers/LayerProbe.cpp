// Compiled by the layer tests on behalf of one layer: it includes one header, which that layer
// may or may not see.
#include KVL_PROBE_HEADER
