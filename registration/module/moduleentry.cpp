// Replaced by the module entry points.
