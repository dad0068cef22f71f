// Export/import decoration of the core support library.
#pragma once

#if defined(PLINTHCORE_BUILD)
#define PLINTH_API __declspec(dllexport)
#else
#define PLINTH_API __declspec(dllimport)
#endif
