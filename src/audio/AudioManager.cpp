// Placeholder definitions; replaced by the real implementation.
#include "audio/AudioManager.h"

namespace qm {

std::shared_ptr<AudioManager> AudioManager::create() { return std::make_shared<AudioManager>(); }
void AudioManager::loadSounds() { }
void AudioManager::changeMusic(int index) { }
void AudioManager::setSoundVolume(float v) { }
void AudioManager::setMusicVolume(float v, int restart) { }
void AudioManager::stepBallVolume(int n) { }
void AudioManager::cycleSoundVolume() { }
void AudioManager::cycleMusicVolume() { }
void AudioManager::startMusic() { }
void AudioManager::startBallLoop() { }
void AudioManager::stopBallLoop() { }
void AudioManager::playOnChannel(const SoundPtr& sound, const ChannelPtr& channel) { }
void AudioManager::stopMusic() { }
void AudioManager::playOoh(int position) { }
void AudioManager::playOohOoh() { }
void AudioManager::playDoorShut() { }
void AudioManager::playLockOpened() { }
void AudioManager::playLockClosed() { }
void AudioManager::playTeleport() { }
void AudioManager::playPageTurn() { }
void AudioManager::advanceEffectChannel() { }
void AudioManager::playChimes() { }

}  // namespace qm
