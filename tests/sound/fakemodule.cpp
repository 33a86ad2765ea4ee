// Sound modules the program must not use, and the library one of them needs: built as the library
// (BRUMMO_GONE_LIBRARY), as a module needing it (BRUMMO_NEEDS_GONE_LIBRARY), or as a module of
// another version.
#include "sound/soundmodule.h"

#include <QtGlobal>

Q_DECL_EXPORT int goneLibraryFunction();
#ifdef BRUMMO_GONE_LIBRARY
int goneLibraryFunction() { return 0; }
#elif defined(BRUMMO_NEEDS_GONE_LIBRARY)
extern "C" Q_DECL_EXPORT const SoundModuleEntry brummo_sound_module{
    soundModuleVersion, [](TimerFactory &) -> AudioBackend * { goneLibraryFunction(); return nullptr; }};
#else
extern "C" Q_DECL_EXPORT const SoundModuleEntry brummo_sound_module{soundModuleVersion + 1, nullptr};
#endif
