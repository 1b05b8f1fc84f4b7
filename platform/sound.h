#pragma once
#include <string>

// The message sounds of the desktop; silent where there is no sound device.
enum class SoundKind { Asterisk, Exclamation, Question, Default, File, Resource };

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // For File the name is a path, for Resource the name of a wave resource of the program.
    virtual void play(SoundKind kind, const std::string& name = {}) = 0;
};

// The player the program uses; tests put their own in its place.
SoundPlayer& soundPlayer();
void setSoundPlayer(SoundPlayer* player); // nullptr restores the desktop player
