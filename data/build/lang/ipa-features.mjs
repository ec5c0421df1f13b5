// SPDX-License-Identifier: GPL-3.0-or-later
// Writes DATADIR/IpaFeatures.txt, the feature table of the IPA base symbols
// (no stress digit, no Coda suffix) that the bundled IPA data sets use, in
// the format and with the columns of the English Features.txt; UTF-8, CR LF.
//
// No row is typed out: every symbol is described as the IPA chart describes
// it (manner, place and voice of a consonant; height, backness and rounding
// of a vowel) and its values follow from that description by the rules below,
// which are the ones the English chart (build/features.mjs) follows: Hayes
// (2009), Introductory Phonology, ch. 4, after Chomsky & Halle (1968).
// As a check, every English symbol read through ArpabetToIpa.txt must get
// exactly the values the English Features.txt gives it.
// Usage: node ipa-features.mjs DATADIR [OUTDIR]   (OUTDIR defaults to DATADIR)
import {readFileSync, writeFileSync} from 'node:fs'
import {join} from 'node:path'

const features = [
  'syllabic', 'consonantal', 'sonorant', 'continuant', 'delayed_release', 'nasal', 'lateral', 'strident',
  'voice', 'labial', 'coronal', 'anterior', 'distributed', 'dorsal', 'high', 'low', 'back', 'round',
  'tense', 'diphthong', 'stress1', 'stress2', 'coda',
]

// Consonants: manner, place, voice (+ voiced). Affricates are one symbol,
// written without a tie bar. ɹ is the English r, apical and postalveolar as
// the English chart has it (-anterior -distributed).
const consonants = {
  p: ['stop', 'bilabial', '-'], b: ['stop', 'bilabial', '+'],
  t: ['stop', 'alveolar', '-'], d: ['stop', 'alveolar', '+'],
  k: ['stop', 'velar', '-'], ɡ: ['stop', 'velar', '+'],
  ʔ: ['stop', 'glottal', '-'],
  ts: ['affricate', 'alveolar', '-'], dz: ['affricate', 'alveolar', '+'],
  tʃ: ['affricate', 'postalveolar', '-'], dʒ: ['affricate', 'postalveolar', '+'],
  pf: ['affricate', 'labiodental', '-'],
  ɸ: ['fricative', 'bilabial', '-'], β: ['fricative', 'bilabial', '+'],
  f: ['fricative', 'labiodental', '-'], v: ['fricative', 'labiodental', '+'],
  θ: ['fricative', 'dental', '-'], ð: ['fricative', 'dental', '+'],
  s: ['fricative', 'alveolar', '-'], z: ['fricative', 'alveolar', '+'],
  ʃ: ['fricative', 'postalveolar', '-'], ʒ: ['fricative', 'postalveolar', '+'],
  ç: ['fricative', 'palatal', '-'], ʝ: ['fricative', 'palatal', '+'],
  x: ['fricative', 'velar', '-'], ɣ: ['fricative', 'velar', '+'],
  χ: ['fricative', 'uvular', '-'],
  h: ['fricative', 'glottal', '-'],
  m: ['nasal', 'bilabial', '+'], ɱ: ['nasal', 'labiodental', '+'], n: ['nasal', 'alveolar', '+'],
  ɲ: ['nasal', 'palatal', '+'], ŋ: ['nasal', 'velar', '+'],
  l: ['lateral', 'alveolar', '+'], ʎ: ['lateral', 'palatal', '+'],
  r: ['rhotic', 'alveolar', '+'], ɾ: ['rhotic', 'alveolar', '+'], ɹ: ['rhotic', 'apical', '+'],
  ʁ: ['rhotic', 'uvular', '+'],
  j: ['glide', 'palatal', '+'], w: ['glide', 'labiovelar', '+'], ɥ: ['glide', 'labiopalatal', '+'],
}

// Vowels: height, backness, rounding. Central vowels count as back, as the
// English chart counts AH and ER. Rhotic vowels (ɝ ɚ) are also coronal like ɹ.
const vowels = {
  i: ['close', 'front', '-'], y: ['close', 'front', '+'], u: ['close', 'back', '+'],
  ɪ: ['nearclose', 'front', '-'], ʏ: ['nearclose', 'front', '+'], ʊ: ['nearclose', 'back', '+'],
  e: ['closemid', 'front', '-'], ø: ['closemid', 'front', '+'], o: ['closemid', 'back', '+'],
  ə: ['mid', 'central', '-'], ɝ: ['mid', 'central', '-', 'rhotic'], ɚ: ['mid', 'central', '-', 'rhotic'],
  ɛ: ['openmid', 'front', '-'], œ: ['openmid', 'front', '+'], ʌ: ['openmid', 'back', '-'],
  ɔ: ['openmid', 'back', '+'],
  æ: ['nearopen', 'front', '-'], ɐ: ['nearopen', 'central', '-'], a: ['open', 'front', '-'],
  ɑ: ['open', 'back', '-'],
}
// Long vowels: the short vowel with ː, +tense.
const longVowels = ['i', 'y', 'u', 'e', 'ø', 'o', 'ɛ', 'a']
// Nasal vowels: the oral vowel with the combining tilde, +nasal.
const nasalVowels = ['ɛ', 'ɑ', 'ɔ', 'œ', 'a', 'o', 'e']
// Diphthongs are one symbol with the values of their first element (and
// +tense +diphthong); the English a of aɪ aʊ is the back ɑ of its chart.
const diphthongs = {aɪ: 'ɑ', aʊ: 'ɑ', eɪ: 'e', oʊ: 'o', ɔɪ: 'ɔ', ɔʏ: 'ɔ'}

const places = {
  // place: labial coronal anterior distributed dorsal high low back round
  bilabial: '+ - 0 0 - 0 0 0 0', labiodental: '+ - 0 0 - 0 0 0 0',
  dental: '- + + + - 0 0 0 0', alveolar: '- + + - - 0 0 0 0',
  postalveolar: '- + - + - 0 0 0 0', apical: '- + - - - 0 0 0 0',
  palatal: '- - 0 0 + + - - 0', velar: '- - 0 0 + + - + 0', uvular: '- - 0 0 + - - + 0',
  glottal: '- - 0 0 - 0 0 0 0',
  labiovelar: '+ - 0 0 + + - + +', labiopalatal: '+ - 0 0 + + - - +',
}
const manners = {
  // manner: consonantal sonorant continuant delayed_release nasal lateral
  stop: '+ - - - - -', affricate: '+ - - + - -', fricative: '+ - + + - -',
  nasal: '+ + - 0 + -', lateral: '+ + + 0 - +', rhotic: '+ + + 0 - -', glide: '- + + 0 - -',
}
const sibilantPlaces = new Set(['alveolar', 'postalveolar'])

const consonantRow = ([manner, place, voice]) => {
  const [cons, son, cont, dr, nas, lat] = manners[manner].split(' ')
  const [lab, cor, ant, dis, dor, hi, lo, bk, rnd] = places[place].split(' ')
  const obstruent = son === '-'
  // Sibilants and f v are strident (as in SPE); other obstruents are not.
  const strident = !obstruent ? '0'
    : (manner !== 'stop' && (sibilantPlaces.has(place) || place === 'labiodental')) ? '+' : '-'
  // Laryngeals have no oral place and are not consonantal.
  const consonantal = place === 'glottal' ? '-' : cons
  // Rounding is given for the glides only (j is -round, w and ɥ +round).
  const round = manner === 'glide' && rnd === '0' ? '-' : rnd
  return [
    '-', consonantal, son, cont, dr, nas, lat, strident, voice, lab, cor, ant, dis, dor, hi, lo, bk, round,
    '0', '0', '0', '0', '-',
  ]
}

const heights = {close: '+ -', nearclose: '+ -', closemid: '- -', mid: '- -', openmid: '- -', nearopen: '- +', open: '- +'}
// Tense: the close and close-mid vowels and ɑ (the English chart's AA).
const tenseVowels = new Set(['i', 'y', 'u', 'e', 'ø', 'o', 'ɑ'])

const vowelRow = (base, {nasal = false, diphthong = false, long = false} = {}) => {
  const [height, backness, round, rhotic] = vowels[base]
  const [hi, lo] = heights[height].split(' ')
  const bk = backness === 'front' ? '-' : '+'
  const [cor, ant, dis] = rhotic ? ['+', '-', '-'] : ['-', '0', '0']
  const tense = diphthong || long || tenseVowels.has(base) ? '+' : '-'
  return [
    '+', '-', '+', '+', '0', nasal ? '+' : '-', '-', '0', '+', round, cor, ant, dis, '+', hi, lo, bk, round,
    tense, diphthong ? '+' : '-', '-', '-', '0',
  ]
}

const table = () => {
  const rows = [['[', features.map(() => '0')], [']', features.map(() => '0')]]
  for (const [symbol, description] of Object.entries(vowels)) rows.push([symbol, vowelRow(symbol)])
  for (const base of nasalVowels) rows.push([base + '\u0303', vowelRow(base, {nasal: true})])
  for (const base of longVowels) rows.push([base + 'ː', vowelRow(base, {long: true})])
  for (const [symbol, first] of Object.entries(diphthongs)) rows.push([symbol, vowelRow(first, {diphthong: true})])
  for (const [symbol, description] of Object.entries(consonants)) rows.push([symbol, consonantRow(description)])
  for (const [symbol, values] of rows) {
    if (values.length !== features.length) throw new Error(`wrong number of values for ${symbol}`)
  }
  return rows
}

const linesOf = (text) => text.split(/\r\n|\n/).filter((line) => line !== '' && !line.startsWith('#'))

// Every English symbol, read through the ARPABET table and given the stress
// and coda values of its digit or suffix, must match the English chart.
const checkEnglish = (dataDir, values) => {
  const toIpa = new Map(linesOf(readFileSync(join(dataDir, 'ArpabetToIpa.txt'), 'utf8')).map((l) => l.split('\t')))
  let checked = 0
  for (const line of linesOf(readFileSync(join(dataDir, 'Features.txt'), 'latin1')).slice(1)) {
    const [symbol, ...english] = line.split('\t')
    const plain = symbol.replace(/Coda$/, '')
    if (symbol === '[' || symbol === ']') continue
    const ipa = toIpa.get(plain)
    if (!ipa || !values.has(ipa)) throw new Error(`no IPA features for the English symbol ${symbol}`)
    const row = [...values.get(ipa)]
    const digit = /[012]$/.exec(plain)
    if (digit) [row[20], row[21]] = [digit[0] === '1' ? '+' : '-', digit[0] === '2' ? '+' : '-']
    if (symbol.endsWith('Coda')) row[22] = '+'
    if (row.join(' ') !== english.join(' ')) {
      throw new Error(`${symbol} (${ipa}) differs from the English chart:\n  ${row.join(' ')}\n  ${english.join(' ')}`)
    }
    checked++
  }
  return checked
}

const [dataDir, outDir = dataDir] = process.argv.slice(2)
if (!dataDir) {
  console.error('usage: node ipa-features.mjs DATADIR [OUTDIR]')
  process.exit(2)
}
const rows = table()
const checked = checkEnglish(dataDir, new Map(rows))
const lines = [['Symbol', ...features].join('\t'), ...rows.map(([symbol, values]) => [symbol, ...values].join('\t'))]
writeFileSync(join(outDir, 'IpaFeatures.txt'), lines.map((line) => line + '\r\n').join(''), 'utf8')
console.log(`ipa-features: ${rows.length} symbols; ${checked} English symbols agree with the English chart`)
