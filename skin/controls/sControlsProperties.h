#pragma once
// The published properties of the skinned controls (and of the skin manager) for the form
// reader. Call before reading a form that holds them; safe to call any number of times.
void RegisterSkinControlsClasses();
