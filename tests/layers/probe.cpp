// One file of a layer that includes the header QUELMAR_PROBE_HEADER names.
#include QUELMAR_PROBE_HEADER
