// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the German word list as CSV for velmora-import: the most frequent
// words of the Onboard German model, transcribed by espeak-ng (its German
// voice, each word said alone) and read into IPA by the table below, with a
// stress digit on every vowel as espeak-ng stresses it.
// Usage: node de.mjs de_DE.lm DATADIR OUT.csv [LIMIT]
import {execFileSync} from 'node:child_process'
import {mkdtempSync, rmSync, writeFileSync} from 'node:fs'
import {tmpdir} from 'node:os'
import {join} from 'node:path'
import {chooseWords, rankByCount, readInventory, readOnboardUnigrams, report, subInventory, writeCsv} from './common.mjs'

// espeak-ng's German phoneme names and their IPA symbols. Its A with no
// length mark is short unstressed and long under main stress (damals, Basis).
// UR (wurde) is ʊ ʁ, r and R are ʁ (the vocalic r ɐ is written only where
// espeak-ng has its own name for it, 3: über); I or i before the mark ; is
// the glide j (Familie); a glottal stop or pause (_! _|) is not written.
const vowelNames = {
  'i:': 'iː', I: 'ɪ', i: 'i', 'y:': 'yː', y: 'ʏ', 'Y:': 'øː', W: 'œ', 'e:': 'eː', E: 'ɛ', E2: 'ɛ', 'E:': 'ɛː',
  '@': 'ə', 3: 'ɐ', a: 'a', 'A:': 'aː', 'O': 'ɔ', 'o:': 'oː', U: 'ʊ', 'u:': 'uː',
  aI: 'aɪ', aU: 'aʊ', OY: 'ɔʏ',
}
const consonantNames = {
  p: 'p', b: 'b', t: 't', d: 'd', k: 'k', g: 'ɡ', f: 'f', v: 'v', s: 's', z: 'z', S: 'ʃ', Z: 'ʒ', C: 'ç',
  x: 'x', h: 'h', m: 'm', n: 'n', N: 'ŋ', l: 'l', r: 'ʁ', R: 'ʁ', j: 'j', ts: 'ts', pF: 'pf',
}
// pf and ts are the affricates of German; tsch is t ʃ (deutsch), and the
// rare tS and dZ of loanwords are written so too.
const sequenceNames = {tS: ['t', 'ʃ'], dZ: ['d', 'ʒ']}
const vowels = new Set([...Object.values(vowelNames), 'aː'])
const symbols = [...vowels, ...Object.values(consonantNames)]

// One line of espeak-ng's phoneme output (blank-separated names, ' and ,
// before a stressed vowel) -> IPA symbols with stress digits, or the names it
// has no IPA for (English words it switches voice for, French nasal vowels).
const readPhonemes = (line) => {
  const names = line.trim().split(/\s+/).filter((n) => n !== '' && n !== '_!' && n !== '_|')
  const symbols = []
  const unknown = []
  let stress = '0'
  names.forEach((raw, i) => {
    const name = raw.replace(/^[',]/, '')
    if (raw.startsWith("'")) stress = '1'
    else if (raw.startsWith(',')) stress = '2'
    if (name === ';') return
    if ((name === 'I' || name === 'i') && names[i + 1] === ';') {
      symbols.push('j')
    } else if (name === 'UR') {
      symbols.push(`ʊ${stress}`, 'ʁ')
      stress = '0'
    } else if (vowelNames[name]) {
      symbols.push(`${vowelNames[name]}${stress}`)
      stress = '0'
    } else if (name === 'A') {
      symbols.push(`${stress === '1' ? 'aː' : 'a'}${stress}`)
      stress = '0'
    } else if (consonantNames[name]) {
      symbols.push(consonantNames[name])
    } else if (sequenceNames[name]) {
      symbols.push(...sequenceNames[name])
    } else {
      unknown.push(name)
    }
  })
  return unknown.length ? {outside: unknown} : {symbols}
}

// The spellings of a word that differ only in letter case are one word: the
// counts are added and the most frequent spelling is kept (Haus, ein).
const readCounts = (file) => {
  const spellings = new Map()
  for (const [token, count] of readOnboardUnigrams(file)) {
    const key = token.toLowerCase()
    if (!spellings.has(key)) spellings.set(key, new Map())
    spellings.get(key).set(token, count)
  }
  const counts = new Map()
  for (const forms of spellings.values()) {
    const ranked = rankByCount(forms)
    counts.set(ranked[0][0], ranked.reduce((sum, [, n]) => sum + n, 0))
  }
  return counts
}

// Abbreviations (USA, FC) and words with other characters are no words here.
const isGermanWord = (word) => /^\p{L}+$/u.test(word) && !/^\p{Lu}{2,}$/u.test(word)

// espeak-ng reads every word on a line of its own, ended by a full stop, so
// that it says the word as a sentence of its own; one output line per word.
const transcribeAll = (words) => {
  const folder = mkdtempSync(join(tmpdir(), 'velmora-de-'))
  try {
    writeFileSync(join(folder, 'words.txt'), words.map((w) => `${w}.\n`).join(''))
    const output = execFileSync('espeak-ng', ['-v', 'de', '-q', '-x', '--sep= ', '-f', join(folder, 'words.txt')],
      {encoding: 'utf8', maxBuffer: 1 << 28})
    const lines = output.split('\n').slice(0, -1)
    if (lines.length !== words.length) throw new Error(`espeak-ng gave ${lines.length} lines for ${words.length} words`)
    return new Map(words.map((w, i) => [w, lines[i]]))
  } finally {
    rmSync(folder, {recursive: true, force: true})
  }
}

const [modelFile, dataDir, outFile, limit = '20000'] = process.argv.slice(2)
if (!outFile) {
  console.error('usage: node de.mjs de_DE.lm DATADIR OUT.csv [LIMIT]')
  process.exit(2)
}
const inventory = subInventory(readInventory(dataDir), symbols)
const counted = rankByCount(readCounts(modelFile))
const ranked = counted.filter(([w]) => isGermanWord(w))
const phonemes = transcribeAll(ranked.map(([w]) => w))
const chosen = chooseWords(ranked, (word) => readPhonemes(phonemes.get(word)), Number(limit))
console.error(`de: ${counted.length - ranked.length} abbreviations and tokens with other characters left out`)
report('de', ranked, chosen)
writeCsv(outFile, chosen.kept)
