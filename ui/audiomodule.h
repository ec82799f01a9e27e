// The sound card output lives in a module loaded at the first "Écouter":
// Qt Multimedia and the sound server's libraries cost start-up about as much
// as the window toolkit itself (bench/startup), for a feature few use.
#pragma once

#include <QtPlugin>

class QString;

namespace velmora {

class SoundOutput;

class AudioOutputModule
{
public:
    virtual ~AudioOutputModule() = default;
    // The sound card the system offers by default, owned by the caller; null,
    // with a French sentence in *error, when the machine has no audio output.
    virtual SoundOutput *systemOutput(QString *error) = 0;
};

} // namespace velmora

#define VelmoraAudioOutputModule_iid "org.velmorawin.VelmoraWin.AudioOutput/1"
Q_DECLARE_INTERFACE(velmora::AudioOutputModule, VelmoraAudioOutputModule_iid)
