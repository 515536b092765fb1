#pragma once

#include <string>

namespace pagora {

// Plays a MIDI file as a preview of a page's background music.
class MidiPlayer {
 public:
  virtual ~MidiPlayer() = default;
  // Starts playing from the beginning; false when nothing could be started.
  virtual bool Play(const std::string& path) = 0;
  virtual void Stop() = 0;
};

// Plays through the first MIDI player found on the system (timidity, fluidsynth with
// the Debian sound font, aplaymidi), as a separate process that Stop ends.
class ProcessMidiPlayer final : public MidiPlayer {
 public:
  ~ProcessMidiPlayer() override { Stop(); }
  bool Play(const std::string& path) override;
  void Stop() override;

 private:
  int pid_ = -1;
};

}  // namespace pagora
