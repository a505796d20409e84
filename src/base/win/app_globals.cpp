#include "base/win/app_globals.h"

#include <memory>

namespace quarl::win {
namespace {
std::unique_ptr<AppGlobals> g_app = std::make_unique<AppGlobals>();
}  // namespace

AppGlobals& App() { return *g_app; }

void ResetApp() { g_app = std::make_unique<AppGlobals>(); }

}  // namespace quarl::win
