// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the Italian word list as CSV for velmora-import: the most frequent
// words of the Onboard Italian model that the IFD lexicon of festlex-ifd
// transcribes (its first entry for the word), in IPA, stress digits on the
// vowels as the lexicon marks them (a1 is the stressed a).
// Usage: node it.mjs LEX.OUT it_IT.lm DATADIR OUT.csv [LIMIT]
import {readFileSync} from 'node:fs'
import {chooseWords, rankByCount, readInventory, readOnboardCounts, report, writeCsv} from './common.mjs'

// The lexicon's phone names (SAMPA-like) and their IPA symbols.
const toIpa = {
  a: 'a', e: 'e', E: 'ɛ', i: 'i', o: 'o', O: 'ɔ', u: 'u', j: 'j', w: 'w',
  p: 'p', b: 'b', t: 't', d: 'd', k: 'k', g: 'ɡ',
  f: 'f', v: 'v', s: 's', z: 'z', S: 'ʃ', Z: 'ʒ',
  ts: 'ts', dz: 'dz', tS: 'tʃ', dZ: 'dʒ',
  m: 'm', n: 'n', J: 'ɲ', ng: 'ŋ', nf: 'ɱ', l: 'l', L: 'ʎ', r: 'r',
}
const vowelPhones = new Set(['a', 'e', 'E', 'i', 'o', 'O', 'u'])

// ("abaco" S-MS (((a1) 1) ((b a) 0) ((k o) 0))): word -> phones of its first
// entry. The file is Latin-1.
const readLexicon = (file) => {
  const entries = new Map()
  for (const line of readFileSync(file, 'latin1').split('\n')) {
    const match = /^\("([^"]+)" \S+ \((.*)\)\)\s*$/.exec(line)
    if (!match || entries.has(match[1])) continue
    const phones = [...match[2].matchAll(/\(\(([^()]*)\) [01]\)/g)].flatMap((s) => s[1].split(' '))
    entries.set(match[1], phones)
  }
  return entries
}

// A vowel with the lexicon's stress mark 1 gets digit 1, every other vowel 0.
const transcribeWith = (lexicon, inventory) => (word) => {
  const phones = lexicon.get(word)
  if (!phones) return {missing: true}
  const symbols = []
  const outside = []
  for (const phone of phones) {
    const stressed = /^(.+)1$/.exec(phone)
    const name = stressed ? stressed[1] : phone
    const ipa = toIpa[name]
    if (!ipa || !inventory.has(ipa)) {
      outside.push(phone)
      continue
    }
    symbols.push(vowelPhones.has(name) ? `${ipa}${stressed ? 1 : 0}` : ipa)
  }
  return outside.length ? {outside} : {symbols}
}

const [lexFile, modelFile, dataDir, outFile, limit = '20000'] = process.argv.slice(2)
if (!outFile) {
  console.error('usage: node it.mjs LEX.OUT it_IT.lm DATADIR OUT.csv [LIMIT]')
  process.exit(2)
}
const ranked = rankByCount(readOnboardCounts(modelFile))
const chosen = chooseWords(ranked, transcribeWith(readLexicon(lexFile), readInventory(dataDir)), Number(limit))
report('it', ranked, chosen)
writeCsv(outFile, chosen.kept)
