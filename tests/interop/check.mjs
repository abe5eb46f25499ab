// Loads each MusicXML export in webmscore (the engraving engine of a notation program, compiled
// to WebAssembly) and compares what that engine read with what the song holds: title, key and
// time signature, measure count, every chord symbol (measure, beat, root, bass and chord tones)
// and every melody note (pitch and length, tied notes as one). The engine's own MusicXML export
// is what is compared, so the song passes through its reader and its model.
//   node check.mjs FACTS.json SCORE.musicxml
// One song a process: webmscore 1.2.1 fails on a second score loaded in the same process.
import fs from 'node:fs';

// Emscripten fetches its WebAssembly when fetch exists; from a file it must read it.
delete globalThis.fetch;
const { default: WebMscore } = await import('webmscore');

// MusicXML's chord kinds as pitch classes above the root.
const KINDS = {
  'major': [0, 4, 7], 'minor': [0, 3, 7], 'augmented': [0, 4, 8], 'diminished': [0, 3, 6],
  'dominant': [0, 4, 7, 10], 'major-seventh': [0, 4, 7, 11], 'minor-seventh': [0, 3, 7, 10],
  'diminished-seventh': [0, 3, 6, 9], 'augmented-seventh': [0, 4, 8, 10],
  'half-diminished': [0, 3, 6, 10], 'major-minor': [0, 3, 7, 11], 'major-sixth': [0, 4, 7, 9],
  'minor-sixth': [0, 3, 7, 9], 'dominant-ninth': [0, 4, 7, 10, 2], 'major-ninth': [0, 4, 7, 11, 2],
  'minor-ninth': [0, 3, 7, 10, 2], 'dominant-11th': [0, 4, 7, 10, 2, 5],
  'major-11th': [0, 4, 7, 11, 2, 5], 'minor-11th': [0, 3, 7, 10, 2, 5],
  'dominant-13th': [0, 4, 7, 10, 2, 5, 9], 'major-13th': [0, 4, 7, 11, 2, 5, 9],
  'minor-13th': [0, 3, 7, 10, 2, 5, 9], 'suspended-second': [0, 2, 7],
  'suspended-fourth': [0, 5, 7], 'power': [0, 7],
};
const STEPS = { C: 0, D: 2, E: 4, F: 5, G: 7, A: 9, B: 11 };
const DEGREES = { 1: 0, 2: 2, 3: 4, 4: 5, 5: 7, 6: 9, 7: 11, 9: 2, 11: 5, 13: 9 };
const mod12 = (n) => ((n % 12) + 12) % 12;
const tag = (xml, name) => { const m = xml.match(new RegExp(`<${name}[^>]*>([^<]*)</${name}>`)); return m ? m[1] : null; };

function chordTones(harmony) {
  const kind = tag(harmony, 'kind');
  const tones = new Set(KINDS[kind] ?? []);
  for (const [, degree] of harmony.matchAll(/<degree[^>]*>([\s\S]*?)<\/degree>/g)) {
    const value = Number(tag(degree, 'degree-value'));
    const alter = Number(tag(degree, 'degree-alter') ?? 0);
    const type = tag(degree, 'degree-type');
    const natural = DEGREES[value];
    if (type === 'subtract') tones.delete(mod12(natural + alter));
    if (type === 'alter') [natural - 1, natural, natural + 1].forEach((t) => tones.delete(mod12(t)));
    if (type !== 'subtract') tones.add(mod12(natural + alter));
  }
  return [...tones].sort((a, b) => a - b);
}

// The chords and notes of the engine's export, measure by measure, with their times.
function readScore(xml) {
  const chords = [];
  const notes = [];
  let divisions = 1;
  const measures = [...xml.matchAll(/<measure [^>]*>([\s\S]*?)<\/measure>/g)];
  measures.forEach(([, body], index) => {
    let time = 0;
    for (const [element] of body.matchAll(/<(harmony|note|backup|forward|divisions)\b[\s\S]*?<\/\1>/g)) {
      if (element.startsWith('<divisions')) divisions = Number(tag(element, 'divisions'));
      else if (element.startsWith('<backup')) time -= Number(tag(element, 'duration'));
      else if (element.startsWith('<forward')) time += Number(tag(element, 'duration'));
      else if (element.startsWith('<harmony')) {
        const at = time + Number(tag(element, 'offset') ?? 0);
        const root = mod12(STEPS[tag(element, 'root-step')] + Number(tag(element, 'root-alter') ?? 0));
        const bassStep = tag(element, 'bass-step');
        const bass = bassStep ? mod12(STEPS[bassStep] + Number(tag(element, 'bass-alter') ?? 0)) : -1;
        chords.push([index, at / divisions, root, bass, chordTones(element)]);
      } else {
        const duration = Number(tag(element, 'duration') ?? 0);
        if (!element.includes('<chord/>')) time += duration;
        if (element.includes('<rest')) continue;
        const midi = 12 * (Number(tag(element, 'octave')) + 1) + STEPS[tag(element, 'step')] +
          Number(tag(element, 'alter') ?? 0);
        const quarters = duration / divisions;
        const last = notes[notes.length - 1];
        if (element.includes('<tie type="stop"') && last && last[0] === midi) last[1] += quarters;
        else notes.push([midi, quarters]);
      }
    }
  });
  return { measures: measures.length, chords, notes };
}

const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
const round = (list) => list.map(([midi, q]) => [midi, Math.round(q * 1000) / 1000]);

await WebMscore.ready;
const facts = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const file = process.argv[3];
const score = await WebMscore.load('musicxml', new Uint8Array(fs.readFileSync(file)), [], false);
const meta = await score.metadata();
const read = readScore(await score.saveXml());
score.destroy();
const problems = [];
const expect = (what, found, wanted) => {
  if (!same(found, wanted)) problems.push(`${what}: read ${JSON.stringify(found)}, the song has ${JSON.stringify(wanted)}`);
};
expect('title', meta.title, facts.title);
expect('key signature', meta.keysig, facts.keysig);
expect('time signature', meta.timesig, facts.timesig);
expect('measures', meta.measures, facts.measures);
expect('measures in its export', read.measures, facts.measures);
expect('chords', read.chords, facts.chords);
expect('notes', round(read.notes), round(facts.notes));
if (problems.length === 0)
  console.log(`ok ${file}: ${facts.measures} measures, ${facts.chords.length} chords, ${facts.notes.length} notes`);
else
  console.log(`FAILED ${file}\n  ${problems.join('\n  ')}`);
process.exit(problems.length === 0 ? 0 : 1);
