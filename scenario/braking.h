// Braking as the checks of warning distances reckon it: the service rate
// timetable planning assumes, a driver's reaction time, and the distance
// from one speed down to another on a gradient.
#pragma once

namespace sb {

// Gravity, m/s².
inline constexpr double kGravita = 9.81;

// Speeds in km/h per m/s.
inline constexpr double kKmhPerMs = 3.6;

// The service braking rate of the default train, m/s²: the rate timetable
// planning assumes, not the emergency brake.
inline constexpr double kFrenaturaServizio = 0.5;

// Seconds a driver runs on at the first speed before the brake takes hold.
inline constexpr double kTempoReazione = 4;

// Metres from the moment a driver sees the need to slow down from v to w
// km/h until the train runs at w: v for the reaction time, then braking at
// the rate b (m/s²) on a gradient in per mille (uphill positive; a downhill
// one lengthens the distance). 0 when w is not below v; infinity when the
// gradient takes away the whole of the brake.
double distanza_frenatura(double v_kmh, double w_kmh, double pendenza, double b = kFrenaturaServizio);

}  // namespace sb
