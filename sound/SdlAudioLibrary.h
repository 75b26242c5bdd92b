// SDL's audio functions, loaded at run time by the sound worker rather than at program start.
#pragma once

#include <SDL.h>

#include <string>

namespace mukiro::sound {

// SDL links the sound server's client library, and through it some thirty more (sound file
// codecs, compression, crypto), none of which the window needs. Loading SDL from the sound
// worker keeps them all off the path to the first painted window: the game starts as fast as
// a program without sound, and SDL arrives while the window is being built.
//
// The library stays loaded until the process ends: its threads and the sound server's client
// library do not all come apart cleanly, and a player that rests reopens the device often.
class SdlAudioLibrary {
  public:
    // The process's one copy, loaded by the first call. Null when SDL cannot be loaded or
    // lacks a function; `error` then says why.
    static const SdlAudioLibrary* load(std::string& error);

    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_Quit) Quit = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_LockAudioDevice) LockAudioDevice = nullptr;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice = nullptr;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus = nullptr;
    decltype(&SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT = nullptr;
    decltype(&SDL_ConvertAudio) ConvertAudio = nullptr;

    // ALSA's error printer, which SDL's ALSA fallback would otherwise let speak (see the
    // player); null where this SDL does not bring ALSA along.
    using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    int (*setAlsaErrorHandler)(AlsaErrorHandler) = nullptr;

  private:
    SdlAudioLibrary() = default;
    bool resolve(void* handle, std::string& error);
};

}  // namespace mukiro::sound
