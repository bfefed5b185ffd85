#pragma once

// The choices a player makes once and keeps, per user, in the settings file that holds the
// recent-file list (never in a match file): group "Options".
namespace playeroptions {

// "Show Centre After Each Game"; off until the player turns it on.
bool ShowCentre();
void SetShowCentre(bool on);

} // namespace playeroptions
