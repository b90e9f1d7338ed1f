// Linked into a copy of the program that the editor's scripted test runs: it
// switches the developer configuration on before main, as the build option
// would, without compiling the whole game a second time.
#include "app/AppGlobals.h"

namespace {
const bool developerBuild = (qm::developerMode = 1, true);
}  // namespace
