// Reads a Fountain script with the fountain-js reader and compares what it reads with the
// elements the script was written from, kind by kind and text by text.
//
// usage: node check-fountain.js SCRIPT.fountain ELEMENTS.tsv
//   ELEMENTS.tsv  one element a line: kind (narration, character, parenthetical, dialogue,
//                 note, heading), a tab, the text
//   STDIN         with "-" for SCRIPT: one case a line instead (tests/data/fountain-lines.tsv),
//                 "kind<TAB>text<TAB>fountain[<TAB>text read]" with "\n" in fountain for a
//                 line break, each read on its own; lines starting with "#" are comments
// Exit status 0 when everything reads back as written, 1 otherwise.
'use strict';
const fs = require('fs');
const { Fountain, InlineLexer } = require('fountain-js');

const kinds = {
  action: 'narration',
  scene_heading: 'heading',
  character: 'character',
  parenthetical: 'parenthetical',
  dialogue: 'dialogue',
  note: 'note',
};
const structure = new Set(['dialogue_begin', 'dialogue_end', 'spaces']);

function unescapeHtml(text) {
  return text.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"')
    .replace(/&amp;/g, '&');
}

// What a reader shows of a token's text: inline markup applied, tags and the invisible
// breaks left out, white space as HTML shows it.
function shown(text) {
  const html = InlineLexer.reconstruct(text || '').replace(/<br \/>/g, ' ');
  return unescapeHtml(html.replace(/<[^>]*>/g, ''))
    .replace(/\u200B/g, '')
    .replace(/\s+/g, ' ')
    .trim();
}

function read(source) {
  const output = new Fountain().parse(source, true);
  const elements = [];
  const titles = {};
  for (const token of output.tokens) {
    if (token.is_title) {
      titles[token.type] = shown(token.text);
      continue;
    }
    if (structure.has(token.type)) {
      continue;
    }
    let text = shown(token.text);
    if (token.type === 'parenthetical') {
      text = text.replace(/^\(/, '').replace(/\)$/, '');
    }
    elements.push({ kind: kinds[token.type] || `misread as ${token.type}`, text });
  }
  return { elements, titles };
}

function parseElements(listing) {
  return listing.split('\n').filter((line) => line.length > 0).map((line) => {
    const tab = line.indexOf('\t');
    return { kind: line.slice(0, tab), text: line.slice(tab + 1) };
  });
}

function compare(expected, got, label) {
  const count = Math.max(expected.length, got.length);
  for (let i = 0; i < count; i++) {
    const want = expected[i];
    const have = got[i];
    if (!want || !have || want.kind !== have.kind || want.text !== have.text) {
      console.log(`${label}: element ${i + 1} differs`);
      console.log(`  written: ${want ? `${want.kind}: ${JSON.stringify(want.text)}` : '(none)'}`);
      console.log(`  read:    ${have ? `${have.kind}: ${JSON.stringify(have.text)}` : '(none)'}`);
      return false;
    }
  }
  return true;
}

function checkCases(input) {
  let failures = 0;
  const lines = input.split('\n').filter((line) => line.length > 0 && !line.startsWith('#'));
  for (const line of lines) {
    const [kind, written, fountain, readAs] = line.split('\t');
    const text = readAs === undefined ? written : readAs;
    // A case inside a line of dialogue follows a cue; a cue or a parenthetical is followed
    // by dialogue.
    const inSpeech = kind === 'parenthetical' || kind === 'dialogue';
    const before = inSpeech ? 'JOHN\n' : '';
    const after = kind === 'parenthetical' || kind === 'character' ? '\nHello.' : '';
    const source = `Title: T\n\n${before}${fountain.replace(/\\n/g, '\n')}${after}\n`;
    const expected = inSpeech ? [{ kind: 'character', text: 'JOHN' }] : [];
    expected.push({ kind, text });
    if (after) {
      expected.push({ kind: 'dialogue', text: 'Hello.' });
    }
    if (!compare(expected, read(source).elements, JSON.stringify(fountain))) {
      failures++;
    }
  }
  console.log(`${lines.length - failures} passed, ${failures} failed`);
  return failures === 0;
}

function main() {
  const [scriptFile, elementsFile] = process.argv.slice(2);
  if (scriptFile === '-') {
    process.exit(checkCases(fs.readFileSync(0, 'utf8')) ? 0 : 1);
  }
  const { elements, titles } = read(fs.readFileSync(scriptFile, 'utf8'));
  const expected = parseElements(fs.readFileSync(elementsFile, 'utf8'));
  let ok = compare(expected, elements, scriptFile);
  if (!titles.title || !(titles.source || '').startsWith('based on the novel')) {
    console.log(`${scriptFile}: no title page with a title and "based on the novel"`);
    ok = false;
  }
  if (ok) {
    console.log(`${scriptFile}: ${elements.length} elements read back as written`);
  }
  process.exit(ok ? 0 : 1);
}

main();
