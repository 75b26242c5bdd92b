// SDL's audio functions, loaded at run time by the sound worker rather than at program start.
#include "sound/SdlAudioLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace mukiro::sound {
namespace {

// The name of the run-time library of Debian's libsdl2-2.0-0, stable across SDL 2 releases.
constexpr const char* kLibrary = "libSDL2-2.0.so.0";

template <typename Function>
bool find(void* handle, const char* name, Function& into, std::string& error) {
    into = reinterpret_cast<Function>(dlsym(handle, name));
    if (into == nullptr) {
        error = std::string(kLibrary) + " has no " + name;
        return false;
    }
    return true;
}

}  // namespace

const SdlAudioLibrary* SdlAudioLibrary::load(std::string& error) {
    static std::once_flag once;
    static SdlAudioLibrary* library = nullptr;
    static std::string loadError;
    std::call_once(once, [] {
        // Local: SDL's symbols stay out of the way of anything loaded later.
        void* handle = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* why = dlerror();
            loadError = why != nullptr ? why : kLibrary;
            return;
        }
        static SdlAudioLibrary loaded;
        if (loaded.resolve(handle, loadError)) {
            library = &loaded;
        }
    });
    if (library == nullptr) {
        error = loadError;
    }
    return library;
}

bool SdlAudioLibrary::resolve(void* handle, std::string& error) {
    const bool all = find(handle, "SDL_SetHint", SetHint, error) &&
                     find(handle, "SDL_GetError", GetError, error) &&
                     find(handle, "SDL_InitSubSystem", InitSubSystem, error) &&
                     find(handle, "SDL_QuitSubSystem", QuitSubSystem, error) &&
                     find(handle, "SDL_Quit", Quit, error) &&
                     find(handle, "SDL_OpenAudioDevice", OpenAudioDevice, error) &&
                     find(handle, "SDL_CloseAudioDevice", CloseAudioDevice, error) &&
                     find(handle, "SDL_PauseAudioDevice", PauseAudioDevice, error) &&
                     find(handle, "SDL_LockAudioDevice", LockAudioDevice, error) &&
                     find(handle, "SDL_UnlockAudioDevice", UnlockAudioDevice, error) &&
                     find(handle, "SDL_GetAudioDeviceStatus", GetAudioDeviceStatus, error) &&
                     find(handle, "SDL_RWFromFile", RWFromFile, error) &&
                     find(handle, "SDL_LoadWAV_RW", LoadWAV_RW, error) &&
                     find(handle, "SDL_FreeWAV", FreeWAV, error) &&
                     find(handle, "SDL_BuildAudioCVT", BuildAudioCVT, error) &&
                     find(handle, "SDL_ConvertAudio", ConvertAudio, error);
    // Looked up through SDL's own dependencies: found where SDL was built with ALSA.
    setAlsaErrorHandler =
        reinterpret_cast<decltype(setAlsaErrorHandler)>(dlsym(handle, "snd_lib_error_set_handler"));
    return all;
}

}  // namespace mukiro::sound
