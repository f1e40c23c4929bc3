#include "effect_list.h"

#include <cmath>

namespace {

// Equal-tempered ratio of a number of semitones.
double Semitones(int n) { return std::pow(2.0, n / 12.0); }

// A menu key: a short, crisp tick, a falling blip over a breath of high noise.
EffectRecipe Click() {
    Voice blip;
    blip.wave = Wave::Square;
    blip.startHz = 1500;
    blip.endHz = 950;
    blip.glideSeconds = 0.03;
    blip.attack = 0.001;
    blip.release = 0.035;
    blip.lowpassStartHz = 7000;
    blip.lowpassEndHz = 3000;
    Voice tick;
    tick.wave = Wave::Noise;
    tick.startHz = 4000;
    tick.attack = 0.0005;
    tick.release = 0.012;
    tick.highpassHz = 2500;
    tick.level = 0.6;
    return {"CLICK.WAV", {blip, tick}, 0x1C11C4u};
}

// A monster's growl: a low saw that sinks, fluttering at 23 Hz like a throat, over a rumble.
EffectRecipe Monster() {
    Voice throat;
    throat.wave = Wave::Saw;
    throat.startHz = 98;
    throat.endHz = 68;
    throat.glideSeconds = 0.9;
    throat.attack = 0.07;
    throat.hold = 0.42;
    throat.release = 0.38;
    throat.punch = 0.3;
    throat.vibratoHz = 5.5;
    throat.vibratoDepth = 0.04;
    throat.tremoloHz = 23;
    throat.tremoloDepth = 0.65;
    throat.lowpassStartHz = 1100;
    throat.lowpassEndHz = 450;
    Voice rumble;
    rumble.wave = Wave::Noise;
    rumble.startHz = 260;
    rumble.endHz = 180;
    rumble.glideSeconds = 0.8;
    rumble.attack = 0.05;
    rumble.hold = 0.4;
    rumble.release = 0.4;
    rumble.tremoloHz = 23;
    rumble.tremoloDepth = 0.7;
    rumble.lowpassStartHz = 900;
    rumble.lowpassEndHz = 400;
    rumble.level = 0.55;
    Voice chest;
    chest.wave = Wave::Square;
    chest.startHz = 49;
    chest.endHz = 34;
    chest.glideSeconds = 0.9;
    chest.duty = 0.3;
    chest.dutyEnd = 0.4;
    chest.attack = 0.08;
    chest.hold = 0.4;
    chest.release = 0.35;
    chest.lowpassStartHz = 380;
    chest.level = 0.45;
    return {"MONSTER.WAV", {throat, rumble, chest}, 0x6A0257u};
}

// Ground claimed: a bright sweep up two octaves, with a sparkle an octave above joining it.
EffectRecipe Filled() {
    Voice sweep;
    sweep.wave = Wave::Square;
    sweep.startHz = 262;
    sweep.endHz = 1047;
    sweep.glideSeconds = 0.42;
    sweep.duty = 0.25;
    sweep.dutyEnd = 0.5;
    sweep.attack = 0.01;
    sweep.hold = 0.3;
    sweep.release = 0.22;
    sweep.vibratoHz = 14;
    sweep.vibratoDepth = 0.012;
    sweep.lowpassStartHz = 2500;
    sweep.lowpassEndHz = 6000;
    Voice sparkle;
    sparkle.wave = Wave::Triangle;
    sparkle.startHz = 524;
    sparkle.endHz = 2094;
    sparkle.glideSeconds = 0.37;
    sparkle.delay = 0.05;
    sparkle.attack = 0.05;
    sparkle.hold = 0.22;
    sparkle.release = 0.2;
    sparkle.level = 0.5;
    return {"GEFUELLT.WAV", {sweep, sparkle}, 0x9E1u};
}

// A level begins: a four-note brass call, G C E and a held G with a little vibrato.
EffectRecipe Go() {
    const std::vector<PitchStep> call = {
        {0.0, 1.0}, {0.09, Semitones(5)}, {0.18, Semitones(9)}, {0.27, Semitones(12)}};
    Voice brass;
    brass.wave = Wave::Square;
    brass.startHz = 392;
    brass.steps = call;
    brass.articulate = true;
    brass.attack = 0.008;
    brass.hold = 0.42;
    brass.release = 0.22;
    brass.vibratoHz = 5.5;
    brass.vibratoDepth = 0.006;
    brass.lowpassStartHz = 3200;
    brass.lowpassEndHz = 1800;
    Voice body = brass;
    body.wave = Wave::Saw;
    body.startHz = 196;
    body.lowpassStartHz = 1400;
    body.lowpassEndHz = 900;
    body.level = 0.45;
    return {"LOS.WAV", {brass, body}, 0x1055u};
}

// A life lost: a crash of falling noise, a square tumbling down three octaves, and a thump.
EffectRecipe Death() {
    Voice crash;
    crash.wave = Wave::Noise;
    crash.startHz = 2400;
    crash.endHz = 160;
    crash.glideSeconds = 0.85;
    crash.attack = 0.002;
    crash.hold = 0.28;
    crash.release = 0.62;
    crash.lowpassStartHz = 6500;
    crash.lowpassEndHz = 350;
    crash.level = 0.8;
    Voice fall;
    fall.wave = Wave::Square;
    fall.startHz = 440;
    fall.endHz = 55;
    fall.glideSeconds = 0.8;
    fall.duty = 0.5;
    fall.dutyEnd = 0.2;
    fall.attack = 0.003;
    fall.hold = 0.3;
    fall.release = 0.58;
    fall.vibratoHz = 9;
    fall.vibratoDepth = 0.04;
    fall.lowpassStartHz = 2600;
    fall.lowpassEndHz = 300;
    fall.level = 0.7;
    Voice thump;
    thump.wave = Wave::Sine;
    thump.startHz = 130;
    thump.endHz = 40;
    thump.glideSeconds = 0.15;
    thump.attack = 0.002;
    thump.release = 0.25;
    thump.level = 0.9;
    return {"TOT.WAV", {crash, fall, thump}, 0x7070u};
}

// An extra life: a bright rising arpeggio C E G C E, then the top note rings out.
EffectRecipe ExtraLife() {
    const std::vector<PitchStep> arpeggio = {{0.0, 1.0},
                                             {0.055, Semitones(4)},
                                             {0.11, Semitones(7)},
                                             {0.165, Semitones(12)},
                                             {0.22, Semitones(16)}};
    Voice bell;
    bell.wave = Wave::Square;
    bell.startHz = 1046.5;
    bell.steps = arpeggio;
    bell.articulate = true;
    bell.duty = 0.125;
    bell.dutyEnd = 0.25;
    bell.attack = 0.003;
    bell.hold = 0.25;
    bell.release = 0.3;
    bell.vibratoHz = 7;
    bell.vibratoDepth = 0.005;
    bell.lowpassStartHz = 8000;
    bell.lowpassEndHz = 5000;
    Voice body = bell;
    body.wave = Wave::Triangle;
    body.startHz = 523.25;
    body.level = 0.6;
    return {"LEBEN.WAV", {bell, body}, 0x1EBE4u};
}

}  // namespace

std::vector<EffectRecipe> GameEffects() {
    return {Click(), Monster(), Filled(), Go(), Death(), ExtraLife()};
}
