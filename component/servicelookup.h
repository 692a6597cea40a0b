//===- servicelookup.h - Finding host services by name --------------------===//
#pragma once

/// Asks the host for the service `name`: first the object of this
/// component's instance name, then the component manager. Returns 1 and
/// writes the interface pointer when found; adds no reference.
int korLookupService(const char *name, void **result);
