// The sound output's end in the audio thread: plays the blocks the page
// mixed, in order, and tells the page how many frames it has played.
class TwinworldsOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.offset = 0;
    this.played = 0;
    this.calls = 0;
    this.port.onmessage = (e) => this.blocks.push(e.data);
  }

  process(inputs, outputs) {
    const [left, right] = outputs[0];
    let at = 0;
    while (at < left.length && this.blocks.length) {
      const block = this.blocks[0];
      const n = Math.min(left.length - at, block.left.length - this.offset);
      left.set(block.left.subarray(this.offset, this.offset + n), at);
      right.set(block.right.subarray(this.offset, this.offset + n), at);
      at += n;
      this.offset += n;
      this.played += n;
      if (this.offset === block.left.length) {
        this.blocks.shift();
        this.offset = 0;
      }
    }
    // Whatever is left of the quantum stays silent: the page fell behind.
    if (++this.calls % 8 === 0) this.port.postMessage(this.played);
    return true;
  }
}

registerProcessor('twinworlds-output', TwinworldsOutput);
