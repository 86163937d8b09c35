#pragma once
// Marks an entry point that the host looks up in the module by its plain name.

#define KOR_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
