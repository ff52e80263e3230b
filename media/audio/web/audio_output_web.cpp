// The page's audio output: Web Audio asks the mixer for blocks, as SDL's
// audio thread does on the desktop. Browsers start sound only after the
// player's first key press or click; until then nothing is pulled and
// sounds wait in their channels.
#include <emscripten.h>

#include "media/audio/audio_output.h"
#include "media/program.h"
#include "media/system/sdl_context.h"

namespace media_internal {
namespace {

constexpr int kBlockFrames = 2048; // about 46 ms at the mixer rate

struct OutputState {
    bool running = false;
    bool tried = false; // opened once already: a failure stays silent
};
OutputState output;

// clang-format off
// An audio worklet plays the blocks the mixer sends it, two ahead, and asks
// for the next when one is used up (a script processor where the browser has
// no worklets, e.g. a page over plain http elsewhere than this machine); 0
// when the browser has no Web Audio. The page resumes the context at the
// first key press or click.
EM_JS(int, StartWebAudio, (int rate, int frames), {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    let ctx;
    try {
        ctx = new Context({sampleRate: rate});
    } catch (e) {
        console.warn('no audio: ' + e);
        return 0;
    }
    const mixed = _malloc(frames * 8);
    const mix = () => {
        _PalmutMixAudio(mixed, frames);
        return HEAPF32.slice(mixed >> 2, (mixed >> 2) + frames * 2); // interleaved
    };
    if (ctx.audioWorklet && window.AudioWorkletNode) {
        const player = `class PalmutOutput extends AudioWorkletProcessor {
            constructor() {
                super();
                this.blocks = []; this.at = 0; this.asked = 0;
                this.port.onmessage = (e) => { this.blocks.push(e.data); this.asked -= 1; };
            }
            process(inputs, outputs) {
                const left = outputs[0][0], right = outputs[0][1];
                for (let i = 0; i < left.length; ++i) {
                    const block = this.blocks[0];
                    if (!block) { left[i] = right[i] = 0; continue; }
                    left[i] = block[this.at]; right[i] = block[this.at + 1];
                    this.at += 2;
                    if (this.at >= block.length) { this.blocks.shift(); this.at = 0; }
                }
                for (; this.blocks.length + this.asked < 2; this.asked += 1) this.port.postMessage(0);
                return true;
            }
        }
        registerProcessor('palmut-output', PalmutOutput);`;
        const url = URL.createObjectURL(new Blob([player], {type: 'text/javascript'}));
        ctx.audioWorklet.addModule(url).then(() => {
            URL.revokeObjectURL(url);
            if (ctx.state === 'closed') return;
            const node = new AudioWorkletNode(ctx, 'palmut-output',
                                              {numberOfInputs: 0, outputChannelCount: [2]});
            node.port.onmessage = () => {
                const block = mix();
                node.port.postMessage(block, [block.buffer]);
            };
            node.connect(ctx.destination);
            Module.palmutAudioNode = node;
        }, (e) => console.warn('no audio: ' + e));
    } else {
        const node = ctx.createScriptProcessor(frames, 0, 2);
        node.onaudioprocess = (event) => {
            const block = mix();
            const left = event.outputBuffer.getChannelData(0);
            const right = event.outputBuffer.getChannelData(1);
            for (let i = 0; i < frames; ++i) {
                left[i] = block[2 * i];
                right[i] = block[2 * i + 1];
            }
        };
        node.connect(ctx.destination);
    }
    // A hidden page stays silent (index.html suspends the context then).
    const resume = () => { if (ctx.state === 'suspended' && !document.hidden) ctx.resume(); };
    window.addEventListener('keydown', resume, true);
    window.addEventListener('pointerdown', resume, true);
    Module.palmutAudio = ctx;
    Module.palmutAudioResume = resume;
    return 1;
});

// The listeners go with the context: a page that plays again must not keep
// the ended game alive through them.
EM_JS(void, CloseWebAudio, (), {
    const resume = Module.palmutAudioResume;
    if (resume) {
        window.removeEventListener('keydown', resume, true);
        window.removeEventListener('pointerdown', resume, true);
    }
    if (Module.palmutAudioNode) Module.palmutAudioNode.port.onmessage = null;
    if (Module.palmutAudio) Module.palmutAudio.close();
    Module.palmutAudio = null;
    Module.palmutAudioResume = null;
    Module.palmutAudioNode = null;
});
// clang-format on

} // namespace

bool AudioRunning() {
    return output.running;
}

bool OpenAudioOutput() {
    if (output.running) return true;
    if (output.tried) return false;
    output.tried = true;
    output.running = StartWebAudio(kMixerRate, kBlockFrames) != 0;
    DebugLog(output.running ? "audio: Web Audio, starts with the first key press"
                            : "audio: no Web Audio, silent");
    if (output.running) AtProgramEnd(StopAudio);
    return output.running;
}

void StopAudio() {
    if (!output.running) return;
    CloseWebAudio();
    output.running = false;
}

} // namespace media_internal

// Called by the page's script processor for every block it plays.
extern "C" EMSCRIPTEN_KEEPALIVE void PalmutMixAudio(float* stereo, int frames) {
    if (frames > 0) media_internal::TheMixer().Mix(stereo, static_cast<size_t>(frames));
}
